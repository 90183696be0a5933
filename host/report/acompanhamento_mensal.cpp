#include "host/report/acompanhamento_mensal.h"

#include <algorithm>

#include "host/core/formato.h"
#include "host/data/sql.h"
#include "host/report/colunas_meses.h"
#include "host/report/report.h"

namespace {

constexpr int kSecaoTitulos = 8;          // one caption line
constexpr int kSecaoFimTitulos = 9;       // closes the caption block
constexpr int kSecaoLinha = 11;           // one line of a row
constexpr int kColunaSaldo = 13;          // first closing column
constexpr int kColunaFinal = 14;          // second closing column
constexpr double kFolgaSaldoAnt = 60;     // pSaldoAnt starts this far left of month column 1
constexpr const char* kMascaraCodigoEmpresa = "0000";
constexpr const char* kMascaraTituloMes = "mm/yyyy";
constexpr const char* kTabelaEmpresa = "ESCRITORIO left join PESSOAFINANCEIRO  on CODIGOESCRIT = CODIGOPESSOAFIN ";

const std::vector<std::string> kTitulosFixos = {"pCabCodigoEstrutura", "pCabTipoEstrutura", "pCabClassificacao",
                                                "pCabSaldoAnt"};
const std::vector<std::string> kValoresFixos = {"pCodigoEstrutura", "pTipoEstrutura", "pClassificacao", "pSaldoAnt"};

// Month column 1 for a period shorter than a row: the fewer the months, the further right.
double PrimeiroMesCurto(int meses) {
  if (meses <= 3) return 489;
  if (meses <= 5) return 424;
  if (meses <= 7) return 358;
  return 299;
}

}  // namespace

TnGeometriaAcompanhamento GeometriaAcompanhamento(int meses) {
  TnGeometriaAcompanhamento g;
  if (meses >= TnColunasMeses::kColunasPadrao) return g;
  g.PrimeiroMes = PrimeiroMesCurto(meses);
  g.EsquerdaSaldoAnt = g.PrimeiroMes - kFolgaSaldoAnt;
  g.LarguraClassificacao = g.EsquerdaSaldoAnt - 1 - TnGeometriaAcompanhamento::kEsquerdaClassificacao;
  g.Coluna13 = g.PrimeiroMes + TnGeometriaAcompanhamento::kPasso * meses;
  g.Coluna14 = g.Coluna13 + TnGeometriaAcompanhamento::kPasso;
  g.Visiveis = meses;
  return g;
}

void PosicionarColunasAcompanhamento(TnrwReport& report, int meses) {
  struct TnRestaurarAjuste {
    TnrwReport& R;
    bool Antes;
    ~TnRestaurarAjuste() { R.AjusteAutomatico = Antes; }
  } restaurar{report, report.AjusteAutomatico};
  report.AjusteAutomatico = false;

  using G = TnGeometriaAcompanhamento;
  const G g = meses > 0 ? GeometriaAcompanhamento(meses) : G{};
  for (const char* nome : {"pTipoEstrutura", "pCabTipoEstrutura"}) report.LabelByName(nome)->Left = G::kEsquerdaTipo;
  for (const char* nome : {"pClassificacao", "pCabClassificacao"}) {
    TnpqLabel* rotulo = report.LabelByName(nome);
    rotulo->Left = G::kEsquerdaClassificacao;
    rotulo->Width = g.LarguraClassificacao;
  }
  for (const char* nome : {"pSaldoAnt", "pCabSaldoAnt"}) report.LabelByName(nome)->Left = g.EsquerdaSaldoAnt;
  if (meses <= 0) return;

  TnColunasMeses colunas(&report, {"C", "R"});
  for (int n = 1; n <= colunas.Colunas(); ++n) {
    colunas.Posicionar(n, g.PrimeiroMes + G::kPasso * (n - 1));
    colunas.Exibir(n, n <= g.Visiveis);
  }
  colunas.Posicionar(kColunaSaldo, g.Coluna13);
  colunas.Posicionar(kColunaFinal, g.Coluna14);
  colunas.Exibir(kColunaSaldo, true);
  colunas.Exibir(kColunaFinal, true);
}

void PreencherEmpresaAcompanhamento(TnpqPowerParam& params, int codigoEscrit) {
  if (codigoEscrit < 1) {
    params.SetValues("pNomeEscrit", "");
    params.SetValues("pInscFederal", "");
    return;
  }
  const std::string codigo = std::to_string(codigoEscrit);
  const std::string nome =
      nDMSQLDataSet::PegarValorCampo(kTabelaEmpresa, "NOME", "CODIGOESCRIT = " + codigo).at(0).AsString();
  params.SetValues("pNomeEscrit", FormatFloat(kMascaraCodigoEmpresa, codigoEscrit) + " - " + nome);
  params.SetValues("pInscFederal",
                   nDMSQLDataSet::PegarValorCampo(kTabelaEmpresa, "INSCFEDERAL", "CODIGOESCRIT =  " + codigo).at(0).AsString());
}

void ImprimirTitulosAcompanhamento(TnrwReport& report, const std::vector<TDateTime>& meses,
                                   const std::string& titulo13, const std::string& titulo14) {
  TnpqPowerParam* p = TnpqPowerQuery::GetParams(&report);
  p->SetValues("pCabCodigoEstrutura", "Estrutura");
  p->SetValues("pCabTipoEstrutura", "S");
  p->SetValues("pCabClassificacao", "Classificação/Descrição");
  p->SetValues("pCabSaldoAnt", "Saldo Ant.");
  for (int n = 1; n <= kColunaFinal; ++n) p->SetValues(TnColunasMeses::Titulo(n), "");
  std::vector<std::string> titulos;
  for (TDateTime mes : meses) titulos.push_back(FormatDateTime(kMascaraTituloMes, mes));
  TnColunasMeses(&report, {"C"}).EscreverTitulosEmLinhas(titulos, kSecaoTitulos, kTitulosFixos);
  p->SetValues(TnColunasMeses::Titulo(kColunaSaldo), titulo13);
  p->SetValues(TnColunasMeses::Titulo(kColunaFinal), titulo14);
  report.RepPrintSection(kSecaoTitulos);
  report.RepPrintSection(kSecaoFimTitulos);
}

void ImprimirLinhaAcompanhamento(TnrwReport& report, const TnLinhaAcompanhamento& linha) {
  TnpqPowerParam* p = TnpqPowerQuery::GetParams(&report);
  p->SetValues("pCodigoEstrutura", linha.Codigo);
  p->SetValues("pTipoEstrutura", linha.Tipo);
  p->SetValues("pClassificacao", linha.Classificacao);
  p->SetValues("pSaldoAnt", linha.SaldoAnterior);
  p->SetValues(TnColunasMeses::Valor(kColunaSaldo), "");
  p->SetValues(TnColunasMeses::Valor(kColunaFinal), "");
  TnColunasMeses colunas(&report, {"R"});
  const int linhas = std::max<int>(1, (static_cast<int>(linha.Meses.size()) + colunas.Colunas() - 1) / colunas.Colunas());
  if (linhas > 1 && report.PosicaoAtual() + report.GetSections(kSecaoLinha)->GetHeight() * linhas > report.FundoImprimivel())
    report.RepEndOfPage(true);
  colunas.EscreverValoresEmLinhas(linha.Meses, kSecaoLinha, kValoresFixos);
  p->SetValues(TnColunasMeses::Valor(kColunaSaldo), linha.Coluna13);
  p->SetValues(TnColunasMeses::Valor(kColunaFinal), linha.Coluna14);
  report.RepPrintSection(kSecaoLinha);
}
