#pragma once
// Root object type of the framework and the plain exception reports raise. Their
// destructors live in the host library, and with them their vtables and type data: an
// exception a plug-in raises is still usable after the plug-in is unloaded.
#include <stdexcept>
#include <string>

class TObject {
 public:
  virtual ~TObject();
};

// A failure with a message for the user; what `raise Exception.Create(...)` gives.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& mensagem) : std::runtime_error(mensagem) {}
  ~Exception() override;
};
