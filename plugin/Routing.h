// Routing of the messages about one host object (a tool, an annotator, a menu
// item, a notifier) to the plug-in object that handles it.  A message whose
// handle is in no table, or whose object is absent, is ignored.
#pragma once

#include "sdk/AIMessages.h"

namespace ai {
class Tokens;
}

namespace plugin {

using ai::Tokens;

void RouteToolMessage(const Tokens& tokens, const char* selector, AIToolMessage& message);
void RouteAnnotationMessage(const Tokens& tokens, const char* selector, AIAnnotatorMessage& message);
void RouteMenuMessage(const Tokens& tokens, const char* selector, AIMenuMessage& message);
// The dialog layer's notifiers first, then the selection and modifiers lists.
void RouteNotification(AINotifierMessage& message);

}  // namespace plugin
