#pragma once
// Pictures of the demo drawn with cairo, as PNG bytes: company logos and works photos.
#include <cstdint>
#include <string>

namespace demo {

// A 240x80 logo: a square in corFundo (0xRRGGBB) with a stylised building, and the acronym.
std::string DesenharLogo(const std::string& sigla, uint32_t corFundo);

// A 160x120 site seen at a phase of the works: the building rises with the
// completion (0..1), a crane while it is under way; variacao shifts sky and framing.
std::string DesenharFoto(int andares, double conclusao, const std::string& fase, uint32_t corFase, int variacao);

}  // namespace demo
