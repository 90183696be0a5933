#pragma once
// Root object type of the framework and the plain exception reports raise.
#include <stdexcept>
#include <string>

class TObject {
 public:
  virtual ~TObject() = default;
};

// A failure with a message for the user; what `raise Exception.Create(...)` gives.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& mensagem) : std::runtime_error(mensagem) {}
};
