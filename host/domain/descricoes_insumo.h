#pragma once
// Display texts of the coded columns of an input (INSUMO) and of the yes/no choice of
// the parameter forms.
#include <string>

// Input type (TIPOINSUMO) and input classification (CLASSIFINSUMO).
struct TIncListDescricao {
  // 1 "Material", 2 "Mão de obra", 3 "Serviço", 4 "Equipamento", 5 "Despesa"; any other
  // value (a null column reads as 0) gives an empty text.
  static std::string GetDscTipoInsumo(int tipoInsumo);
  // 1 "Custo direto", 2 "Custo indireto", 3 "Despesa administrativa"; any other value
  // (a null column reads as 0) gives an empty text.
  static std::string GetDscClassifInsumo(int classifInsumo);
};

// Texts of the host's enumerations as the parameter forms show them.
struct THelperEnumStr {
  static std::string TDicSimNao(int valor);  // 1 "Sim", 0 "Não"; any other value an empty text
};
