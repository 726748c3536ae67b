// The dialog layer's three exceptions, and the report of an operation of the
// classic interface that the layer does not offer.
#pragma once

#include <stdexcept>

namespace QMDM {

class QMDMNotImpl : public std::runtime_error {
 public:
  QMDMNotImpl() : std::runtime_error("QMDM: Function not implemented") {}
};

// A dialog or item asked for with parameters the layer cannot serve.
class QMDMParameterException : public std::invalid_argument {
 public:
  explicit QMDMParameterException(const char* what) : std::invalid_argument(what) {}
};

// A resource the layer needed (an image, a window class) is missing.
class QMDMResourceException : public std::runtime_error {
 public:
  explicit QMDMResourceException(const char* what) : std::runtime_error(what) {}
};

// Prints "未实现： <operation> in <source>" and a line break on the standard
// output, then throws QMDMNotImpl.
[[noreturn]] void NotImplemented(const char* operation, const char* source);

}  // namespace QMDM

// In a table's function for an operation the layer does not offer.
#define QMDM_NOT_IMPLEMENTED(operation) ::QMDM::NotImplemented(operation, __FILE__)
