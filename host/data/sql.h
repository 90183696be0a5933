#pragma once
// Running queries for reports: results come back as client datasets.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "host/core/valor.h"
#include "host/data/client_dataset.h"
#include "host/data/conexao.h"

using TnDataSetSQL = std::unique_ptr<TnClientDataSet>;

// Runs sql with valores bound in order to its distinct ":name" parameters (a
// name used twice takes one value). abrir false only records the query for a
// later RefreshSQL. flag is accepted for the host's call form and changes
// nothing. maxLinhas -1 fetches every row. conexao null = TnDMConexao::Atual().
TnDataSetSQL ExecutarSQL(const std::string& sql, const std::vector<TValor>& valores = {}, bool abrir = true,
                         bool flag = false, int maxLinhas = -1, const std::string& nome = {},
                         TnDMConexao* conexao = nullptr, bool somenteLeitura = true);
void DestruirSQL(TnDataSetSQL& ds);                                   // frees and nulls; null is left as is

// Releases datasets that live for one step of a report with DestruirSQL when the
// scope ends, whichever way it ends: declared before the first query of the step.
class TnDestruirSQLAoSair {
 public:
  TnDestruirSQLAoSair(std::initializer_list<TnDataSetSQL*> conjuntos) : FConjuntos(conjuntos) {}
  ~TnDestruirSQLAoSair() {
    for (TnDataSetSQL* ds : FConjuntos) DestruirSQL(*ds);
  }
  TnDestruirSQLAoSair(const TnDestruirSQLAoSair&) = delete;
  TnDestruirSQLAoSair& operator=(const TnDestruirSQLAoSair&) = delete;

 private:
  std::vector<TnDataSetSQL*> FConjuntos;
};
void RefreshSQL(TnClientDataSet& ds, const std::vector<TValor>& valores, bool flag = false);  // reruns, same fields kept

namespace nDMSQLDataSet {
// "select campos from tabela where condicao": the first row's values in list
// order, nulls when no row matches.
std::vector<TValor> PegarValorCampo(const std::string& tabela, const std::string& campos,
                                    const std::string& condicao);

// Name and federal tax number of a person, a company included (its CodigoEscrit is
// its PESSOAFINANCEIRO code): the company header and the signature block read it.
struct TnNomeInscricao {
  std::string Nome;                              // NOME; empty when null or no row
  std::string InscFederal;                       // INSCFEDERAL; empty when null or no row
};
TnNomeInscricao PegarNomeInscricao(int codigoPessoaFin);  // PegarValorCampo on PessoaFinanceiro, "NOME,INSCFEDERAL"
}  // namespace nDMSQLDataSet
namespace TnDMSQLDataSet = nDMSQLDataSet;

namespace nDMConexao {
std::unique_ptr<TnClientDataSet> ExecuteQueryView(const std::string& sql);  // on the current connection
int PegarTipoCon();                                                          // kind of the current connection
}  // namespace nDMConexao

TnDMConexao& ConexaoAtual();  // the current connection; throws when there is none
