#pragma once
// Values and user selections turned into SQL text. A selection (docs/selecao.md)
// is codes, lists and ranges such as "1,3,5-9"; anything else is refused with a
// Portuguese message naming the text, so it never reaches the database.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/core/valor.h"
#include "host/data/client_dataset.h"

class EnSelecaoInvalida : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
  ~EnSelecaoInvalida() override;                // in the host library, so it outlives a plug-in that raised it
};

struct TnFaixaSelecao {
  int64_t Inicio, Fim;  // one code: Inicio == Fim
};

std::string ValorParaSQL(const TValor& valor);                   // 12, 2.5, 'O''Brien', '2024-01-31', null
std::string ValorParaSQL(const TValor& valor, TFieldType tipo);  // converted to tipo first; a bad integer text throws
std::vector<TnFaixaSelecao> LerSelecao(const std::string& selecao);  // validated items; throws EnSelecaoInvalida

// Condition on the columns for the codes of selecao, ending in a blank.
// comAnd true: " and (...) " to append to other conditions; "" for an empty selection.
// comAnd false: "(...) " to follow "where "; "1=1 " for an empty selection.
// tiposInclusao per column (the last repeats): 1 = in the selection, 2 = not in it.
// tipoValor 0 compares integers, 1 compares the codes as text literals; reservado is unused.
std::string FilterInterval(const std::vector<std::string>& campos, const std::string& selecao,
                           const std::vector<int>& tiposInclusao, bool comAnd, int tipoValor = 0,
                           int reservado = -1);
bool ExibeEmpresaRel(const std::string& codigos);                // true when exactly one company code is named
