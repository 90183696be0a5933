#include "host/data/sql.h"

#include <stdexcept>

#include "host/data/filtros.h"

TnDMConexao& ConexaoAtual() {
  TnDMConexao* c = TnDMConexao::Atual();
  if (!c) throw std::runtime_error("Nenhuma conexão com o banco de dados está aberta.");
  return *c;
}

TnDataSetSQL ExecutarSQL(const std::string& sql, const std::vector<TValor>& valores, bool abrir, bool /*flag*/,
                         int maxLinhas, const std::string& nome, TnDMConexao* conexao, bool somenteLeitura) {
  TnDataSetSQL ds;
  if (abrir) {
    ds = (conexao ? *conexao : ConexaoAtual()).Consultar(sql, valores, maxLinhas, somenteLeitura);
  } else {
    ds = std::make_unique<TnClientDataSet>();
  }
  ds->DefinirOrigem({sql, conexao, maxLinhas, somenteLeitura});
  ds->Name = nome;
  return ds;
}

void DestruirSQL(TnDataSetSQL& ds) { ds.reset(); }

void RefreshSQL(TnClientDataSet& ds, const std::vector<TValor>& valores, bool /*flag*/) {
  const TnOrigemSQL origem = ds.Origem();
  if (origem.Sql.empty()) throw std::logic_error("O conjunto de dados não veio de uma consulta.");
  TnDMConexao& conexao = origem.Conexao ? *origem.Conexao : ConexaoAtual();
  auto novo = conexao.Consultar(origem.Sql, valores, origem.MaxLinhas, origem.SomenteLeitura);
  ds.TrocarDados(std::move(*novo));
  ds.DefinirOrigem(origem);
}

namespace nDMSQLDataSet {
std::vector<TValor> PegarValorCampo(const std::string& tabela, const std::string& campos,
                                    const std::string& condicao) {
  std::string sql = "select " + campos + " from " + tabela;
  if (!condicao.empty()) sql += " where " + condicao;
  auto ds = ConexaoAtual().Consultar(sql, {}, 1);
  std::vector<TValor> valores;
  for (int i = 0; i < ds->FieldCount(); ++i) valores.push_back(ds->Fields(i)->Value());
  return valores;
}

TnNomeInscricao PegarNomeInscricao(int codigoPessoaFin) {
  const std::string condicao = "CodigoPessoaFin = " + ValorParaSQL(TValor(codigoPessoaFin));
  const std::vector<TValor> v = PegarValorCampo("PessoaFinanceiro", "NOME,INSCFEDERAL", condicao);
  return {v.at(0).AsString(), v.at(1).AsString()};
}
}  // namespace nDMSQLDataSet

namespace nDMConexao {
std::unique_ptr<TnClientDataSet> ExecuteQueryView(const std::string& sql) {
  return ConexaoAtual().ExecuteQueryView(sql);
}
int PegarTipoCon() { return ConexaoAtual().PegarTipoCon(); }
}  // namespace nDMConexao
