// Every host suite the plug-in may use, as one list: the suite's table type,
// the accessor name on SuiteSet, and its name and version as the host offers
// them.  SuiteSet expands the list into its slots and accessors, so a suite
// added to the sdk needs one line here.
#pragma once

#include "sdk/Corvane.h"

// X(TableType, Accessor, Name, Version)
#define CORVANE_SUITES(X)                                                                         \
  X(SPBasicSuite, Basic, kSPBasicSuite, kSPBasicSuiteVersion)                                     \
  X(SPBlocksSuite, Blocks, kSPBlocksSuite, kSPBlocksSuiteVersion)                                 \
  X(SPAccessSuite, Access, kSPAccessSuite, kSPAccessSuiteVersion)                                 \
  X(AIToolSuite, Tool, kAIToolSuite, kAIToolSuiteVersion)                                         \
  X(AIAnnotatorSuite, Annotator, kAIAnnotatorSuite, kAIAnnotatorSuiteVersion)                     \
  X(AIAnnotatorDrawerSuite, AnnotatorDrawer, kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion) \
  X(AIDocumentViewSuite, DocumentView, kAIDocumentViewSuite, kAIDocumentViewSuiteVersion)         \
  X(AICursorSnapSuite, CursorSnap, kAICursorSnapSuite, kAICursorSnapSuiteVersion)                 \
  X(AIArtSuite, Art, kAIArtSuite, kAIArtSuiteVersion)                                             \
  X(AIPathSuite, Path, kAIPathSuite, kAIPathSuiteVersion)                                         \
  X(AIMatchingArtSuite, MatchingArt, kAIMatchingArtSuite, kAIMatchingArtSuiteVersion)             \
  X(AIHitTestSuite, HitTest, kAIHitTestSuite, kAIHitTestSuiteVersion)                             \
  X(AILayerSuite, Layer, kAILayerSuite, kAILayerSuiteVersion)                                     \
  X(AINotifierSuite, Notifier, kAINotifierSuite, kAINotifierSuiteVersion)                         \
  X(AIMenuSuite, Menu, kAIMenuSuite, kAIMenuSuiteVersion)                                         \
  X(AIPreferenceSuite, Preference, kAIPreferenceSuite, kAIPreferenceSuiteVersion)                 \
  X(AIDocumentSuite, Document, kAIDocumentSuite, kAIDocumentSuiteVersion)                         \
  X(AIDictionarySuite, Dictionary, kAIDictionarySuite, kAIDictionarySuiteVersion)                 \
  X(AIUnicodeStringSuite, UnicodeString, kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion)     \
  X(AITransformArtSuite, TransformArt, kAITransformArtSuite, kAITransformArtSuiteVersion)         \
  X(AITransformAgainSuite, TransformAgain, kAITransformAgainSuite, kAITransformAgainSuiteVersion) \
  X(AIRasterSuite, Raster, kAIRasterSuite, kAIRasterSuiteVersion)                                 \
  X(AIPlacedSuite, Placed, kAIPlacedSuite, kAIPlacedSuiteVersion)                                 \
  X(AIRuntimeSuite, Runtime, kAIRuntimeSuite, kAIRuntimeSuiteVersion)                             \
  X(AIShapeConstructionSuite, ShapeConstruction, kAIShapeConstructionSuite,                       \
    kAIShapeConstructionSuiteVersion)                                                             \
  X(AIMdMemorySuite, MdMemory, kAIMdMemorySuite, kAIMdMemorySuiteVersion)                         \
  X(AIContextSuite, Context, kAIContextSuite, kAIContextSuiteVersion)                             \
  X(AIUserSuite, User, kAIUserSuite, kAIUserSuiteVersion)                                         \
  X(AIPanelSuite, Panel, kAIPanelSuite, kAIPanelSuiteVersion)                                     \
  X(AIUserInterfaceThemeSuite, UserInterfaceTheme, kAIUserInterfaceThemeSuite,                    \
    kAIUserInterfaceThemeSuiteVersion)                                                            \
  X(AIPanelFlyoutMenuSuite, PanelFlyoutMenu, kAIPanelFlyoutMenuSuite, kAIPanelFlyoutMenuSuiteVersion) \
  X(AIModalParentSuite, ModalParent, kAIModalParentSuite, kAIModalParentSuiteVersion)             \
  X(CorvanePlatformSuite, Platform, kCorvanePlatformSuite, kCorvanePlatformSuiteVersion)                 \
  X(CorvaneWindowSuite, Window, kCorvaneWindowSuite, kCorvaneWindowSuiteVersion)
