// The dictionary suite over the document's and art's dictionaries.
#include <gtest/gtest.h>

#include "suite_fixture.h"

namespace host::test {
namespace {

class DictionaryTest : public SuiteTest {
 protected:
  AIDictKey Key(const char* name) {
    AIDictKey key = nullptr;
    EXPECT_EQ(dictionary->Key(name, &key), kNoErr);
    return key;
  }
};

TEST_F(DictionaryTest, KeysAreInterned) {
  EXPECT_EQ(Key("Axis_X"), Key("Axis_X"));
  EXPECT_NE(Key("Axis_X"), Key("Axis_Y"));
}

TEST_F(DictionaryTest, DocumentRealsAreStoredAsFloatsAndCanBeDeleted) {
  AIDictionaryRef dict = nullptr;
  ASSERT_EQ(document->GetDictionary(&dict), kNoErr);
  const AIDictKey key = Key("Axis_X");
  const double precise = 0.1;
  ASSERT_EQ(dictionary->SetRealEntry(dict, key, static_cast<float>(precise)), kNoErr);
  float value = 0;
  ASSERT_EQ(dictionary->GetRealEntry(dict, key, &value), kNoErr);
  EXPECT_EQ(value, static_cast<float>(precise));
  EXPECT_EQ(std::get<float>(doc().dictionary().at("Axis_X")), static_cast<float>(precise));

  AIBoolean known = 0;
  ASSERT_EQ(dictionary->DeleteEntry(dict, key), kNoErr);
  ASSERT_EQ(dictionary->IsKnown(dict, key, &known), kNoErr);
  EXPECT_FALSE(known);
  EXPECT_EQ(dictionary->GetRealEntry(dict, key, &value), kNoSuchKeyErr);
  EXPECT_EQ(dictionary->SetRealEntry(dict, key, std::numeric_limits<float>::quiet_NaN()), kBadParameterErr);
  EXPECT_EQ(dictionary->Release(dict), kNoErr);
}

TEST_F(DictionaryTest, ArtStringEntriesAndTheirKinds) {
  const AIArtHandle p = NewPath({Corner(0, 0)});
  AIDictionaryRef dict = nullptr;
  ASSERT_EQ(art->GetDictionary(p, &dict), kNoErr);
  const AIDictKey key = Key("Rotation");
  ASSERT_EQ(dictionary->SetStringEntry(dict, key, "0.785398"), kNoErr);
  const char* text = nullptr;
  ASSERT_EQ(dictionary->GetStringEntry(dict, key, &text), kNoErr);
  EXPECT_STREQ(text, "0.785398");
  float real = 0;
  EXPECT_EQ(dictionary->GetRealEntry(dict, key, &real), kBadParameterErr);
  // Only the art's dictionary holds it.
  EXPECT_TRUE(doc().dictionary().empty());
  // The entry travels with a duplicate.
  AIArtHandle copy = nullptr;
  ASSERT_EQ(art->DuplicateArt(p, kPlaceAbove, p, &copy), kNoErr);
  EXPECT_EQ(doc().art(model::ArtIdOf(copy)).dictionary.count("Rotation"), 1u);
  EXPECT_EQ(dictionary->Release(dict), kNoErr);
}

TEST_F(DictionaryTest, ReferencesAreCountedAndOutliveNoArt) {
  const AIArtHandle p = NewPath({Corner(0, 0)});
  AIDictionaryRef artDict = nullptr, docDict = nullptr;
  ASSERT_EQ(art->GetDictionary(p, &artDict), kNoErr);
  ASSERT_EQ(document->GetDictionary(&docDict), kNoErr);
  EXPECT_EQ(workspace.LiveDictionaryRefs(), 2);
  ASSERT_EQ(dictionary->AddRef(artDict), kNoErr);
  ASSERT_EQ(dictionary->Release(artDict), kNoErr);
  EXPECT_EQ(workspace.LiveDictionaryRefs(), 2);

  // The art goes while a reference to its dictionary is still held: the
  // reference then names nothing, and using it is a bad handle, not a crash.
  ASSERT_EQ(art->DisposeArt(p), kNoErr);
  AIBoolean known = 0;
  EXPECT_EQ(dictionary->IsKnown(artDict, Key("x"), &known), kBadHandleErr);

  ASSERT_EQ(dictionary->Release(artDict), kNoErr);
  ASSERT_EQ(dictionary->Release(docDict), kNoErr);
  EXPECT_EQ(workspace.LiveDictionaryRefs(), 0);
  EXPECT_EQ(dictionary->Release(docDict), kBadHandleErr);
}

}  // namespace
}  // namespace host::test
