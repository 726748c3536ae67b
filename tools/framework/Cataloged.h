// A tool's registration identity: the final class of every tool derives from
// Cataloged<its base> and is made with its row of the tool catalog.
#pragma once

#include <utility>

#include "tools/framework/ToolIdentity.h"

namespace Tools {

template <class Base>
class Cataloged : public Base {
 public:
  bool WantsAnnotator() const override { return true; }
  int32_t IconResourceId() const override { return identity_.iconId; }
  const char* Title() const override { return identity_.title; }
  const char* Tooltip() const override { return identity_.tooltip; }
  int32_t ToolOptions() const override { return identity_.options; }
  int32_t GroupId() const override { return identity_.groupId; }
  int32_t ToolsetId() const override { return identity_.toolsetId; }
  const char* SnapControl() const override { return identity_.snapControl; }

 protected:
  template <class... BaseArgs>
  explicit Cataloged(const ToolIdentity& identity, BaseArgs&&... args) noexcept
      : Base(std::forward<BaseArgs>(args)...), identity_(identity) {}

 private:
  const ToolIdentity& identity_;
};

}  // namespace Tools
