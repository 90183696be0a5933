#pragma once
// Writing the demo: one prepared insert per table, all run in batches.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/valor.h"
#include "host/data/conexao.h"

namespace demo {

// Inserts into one table, the values in the order of the columns given.
class TTabela {
 public:
  TTabela(TnDMConexao& conexao, std::string nome, const std::vector<std::string>& colunas);
  void operator()(const std::vector<TValor>& valores);  // one row; raises std::logic_error on a wrong column count
  void Confirmar();                                      // runs what is still in the batch
  int64_t Linhas() const { return FLinhas; }             // rows written

 private:
  std::string FNome;
  size_t FColunas;
  int64_t FLinhas = 0;
  std::unique_ptr<TnDMConexao::TnLote> FLote;
};

// Every table the demo fills, with the columns it writes.
struct TTabelas {
  explicit TTabelas(TnDMConexao& c);
  void ConfirmarTodas();  // Confirmar on each table

  TTabela Pessoa, Escritorio, Contato, Relacao, Endereco, PessoaEndereco, UnidadeMedida, InsumoGrupo, Insumo, Moeda,
      Empreendimento, TipoImovel, Imovel, ImovelArea, Estrutura, Obra, ObraFase, Foto, Orcamento, OrcamentoInsumo,
      Estoque, Movimento, Rateio, Nota, NotaItem, NotaItemMovimento, NotaItemRateio, Parcela, Baixa, Cotacao,
      CotacaoItem;
};

}  // namespace demo
