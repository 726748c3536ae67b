// A tool's registration identity taken from the registration table: the
// final class of every tool derives from Cataloged<its base> with its row.
#pragma once

#include <utility>

#include "tools/framework/ToolCatalog.h"

namespace Tools {

template <class Base>
class Cataloged : public Base {
 public:
  bool WantsAnnotator() const override { return true; }
  int32_t IconResourceId() const override { return identity_.iconId; }
  const char* Title() const override { return identity_.title; }
  const char* Tooltip() const override { return identity_.tooltip; }
  int32_t GroupId() const override { return kToolGroup; }
  int32_t ToolsetId() const override { return identity_.toolsetId; }
  const char* SnapControl() const override { return identity_.snapControl; }

 protected:
  template <class... BaseArgs>
  explicit Cataloged(ToolId id, BaseArgs&&... args) noexcept
      : Base(std::forward<BaseArgs>(args)...), identity_(IdentityOf(id)) {}

 private:
  const ToolIdentity& identity_;
};

}  // namespace Tools
