#pragma once
// Running queries for reports: results come back as client datasets.
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
void DestruirSQL(TnDataSetSQL& ds);                                   // frees and nulls
void RefreshSQL(TnClientDataSet& ds, const std::vector<TValor>& valores, bool flag = false);  // reruns, same fields kept

namespace nDMSQLDataSet {
// "select campos from tabela where condicao": the first row's values in list
// order, nulls when no row matches.
std::vector<TValor> PegarValorCampo(const std::string& tabela, const std::string& campos,
                                    const std::string& condicao);
}  // namespace nDMSQLDataSet
namespace TnDMSQLDataSet = nDMSQLDataSet;

namespace nDMConexao {
std::unique_ptr<TnClientDataSet> ExecuteQueryView(const std::string& sql);  // on the current connection
int PegarTipoCon();                                                          // kind of the current connection
}  // namespace nDMConexao

TnDMConexao& ConexaoAtual();  // the current connection; throws when there is none
