// Purchase invoices entered in a period: one line per invoice, each company on its
// own pages with its total (or all companies together), ordered by entry date, by
// entry month or by supplier with a subtotal per month or supplier, then the grand
// total and the signature block.
#include <cstdint>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/report/assinatura.h"

namespace {

// Sections of the layout.
constexpr int kSecaoNota = 8;        // one invoice line
constexpr int kSecaoTotal = 9;       // company total, ordering subtotal and grand total
constexpr int kSecaoSeparador = 10;  // rule after a subtotal and before the grand total
constexpr int kSecaoAssinatura = 11; // who signs the report

constexpr int kCasasValor = 2;       // money totals are rounded to the cent at each addition

const char* const kMascaraValor = "#,##0.00";
const char* const kMascaraData = "dd/mm/yyyy";

// FORMAPGTONOTA and STATUSNOTA values with a text of their own.
constexpr int kFormaPgtoPrazo = 0;
constexpr int kStatusPendente = 0;
constexpr int kStatusLancarEstoque = 2;

}  // namespace

enum TnOrdenar { orNenhum = 0, orCompetencia = 1, orFornecedor = 2 };
enum TnTipoQuebra { qeEscritorio = 0, qeNenhum = 1 };

class TnMapperNotaEntrada : public TnMapperBase {
 public:
  NCAMPO(CampoOrdenar);
  NCAMPO(CodigoEscrit);
  NCAMPO(DataEmissaoNota);
  NCAMPO(DataEntradaNota);
  NCAMPO(CodigoNotaEnt);
  NCAMPO(NumeroNota);
  NCAMPO(CodigoPessoaFin);
  NCAMPO(NomeFornec);
  NCAMPO(ValorTotalNota);
  NCAMPO(FormaPgtoNota);
  NCAMPO(NomeEscrit);
  NCAMPO(InscFederal);
  NCAMPO(StatusNota);
};

class TRptPurchases : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoNota, kSecaoTotal, kSecaoSeparador}; }

  void ImprimirInterno() override {
    CarregarParametros();
    TnDestruirSQLAoSair liberar{&FCdsNotaEnt};
    ConsultarNotas();
    if (FCdsNotaEnt->IsEmpty()) return;
    ImprimirNotas();
    ImprimirTotalEscritorio();
    ImprimirTotalGeral();
    ImprimirAssinatura();
  }

  void DoParamChange(TObject*, TnpqParamItem*) override {}
  void DoParamEnter(TObject*, TnpqParamItem*) override {}
  void DoParamExit(TObject*, TnpqParamItem*) override {}

 private:
  void EscreverValor(const std::string& nome, const std::string& texto) { Params()->SetValues(nome, texto); }

  void CarregarParametros() {
    TnpqPowerParam* p = Params();
    FDataIni = p->Param("pDataInicial")->GetAsDate();
    FDataFim = p->Param("pDataFinal")->GetAsDate();
    if (FDataFim < FDataIni)
      throw EnParam(p->Param("pDataFinal"), "Data Final não Pode ser Anterior a Data Inicial. Verifique!");
    FQuebra = LerQuebra();
    FOrdenar = LerOrdenar();
    FCodigoPessoaFin = Trim(RepParam("pCodigoPessoaFin"));
    FCodigoEscrit = Trim(RepParam("pCodigoEscrit"));
    FCodigoPessoaAssinatura = StrToIntDef(Trim(RepParam("pCodigoPessoaAssinatura")), 0);
  }

  // The form offers only these choices; a host that lets another value through is told so.
  TnTipoQuebra LerQuebra() {
    TnpqParamItem* item = Params()->Param("pQuebra");
    const int valor = item->GetAsInteger();
    if (valor != qeEscritorio && valor != qeNenhum)
      throw EnParam(item, "Quebra inválida: use 0 (por escritório) ou 1 (sem quebra).");
    return static_cast<TnTipoQuebra>(valor);
  }

  TnOrdenar LerOrdenar() {
    TnpqParamItem* item = Params()->Param("pOrdenar");
    const int valor = item->GetAsInteger();
    if (valor != orNenhum && valor != orCompetencia && valor != orFornecedor)
      throw EnParam(item, "Ordenação inválida: use 0 (data de entrada), 1 (competência) ou 2 (fornecedor).");
    return static_cast<TnOrdenar>(valor);
  }

  // ---- Query ---------------------------------------------------------------

  std::string ExpressaoOrdenar() const {
    switch (FOrdenar) {
      case orCompetencia:
        return "cast(extract(year from DATAENTRADANOTA) || '-' || extract(month from DATAENTRADANOTA) || '-01' as date)";
      case orFornecedor: return "NE.CODIGOPESSOAFIN";
      case orNenhum: break;
    }
    return "NE.DATAENTRADANOTA";
  }

  // Within one key the invoices follow their entry date and code; the keys stay the ones ordered on.
  std::string ListaOrdenacao() const {
    return std::string(FQuebra == qeEscritorio ? "NE.CODIGOESCRIT," : "") + "CAMPOORDENAR" +
           ", NE.DATAENTRADANOTA, NE.CODIGONOTAENT";
  }

  std::string MontarSQLNotas() const {
    std::string sql = "select NE.CODIGOESCRIT , NE.DATAENTRADANOTA , NE.DATAEMISSAONOTA , NE.CODIGONOTAENT , "
                      "NE.NUMERONOTA , NE.CODIGOPESSOAFIN , PF.NOME NomeFornec , NE.VALORTOTALNOTA , "
                      "NE.FORMAPGTONOTA , NE.STATUSNOTA , ES.NOME NomeEscrit , ES.InscFederal , ";
    sql += ExpressaoOrdenar();
    sql += " CAMPOORDENAR ";
    sql += "from NOTAENTRADA NE ";
    sql += "join PESSOAFINANCEIRO PF ";
    sql += "on PF.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN ";
    sql += "join PESSOAFINANCEIRO ES ";
    sql += "on ES.CODIGOPESSOAFIN = NE.CODIGOESCRIT ";
    sql += "where NE.DATAENTRADANOTA between :pDataIni and :pDataFim ";
    if (!FCodigoEscrit.empty()) sql += FiltroParametro(Params()->Param("pCodigoEscrit"), {"NE.CODIGOESCRIT"}, {1}, true, 0);
    if (!FCodigoPessoaFin.empty())
      sql += FiltroParametro(Params()->Param("pCodigoPessoaFin"), {"NE.CODIGOPESSOAFIN"}, {1}, true, 0);
    sql += " order by " + ListaOrdenacao();
    return sql;
  }

  void ConsultarNotas() {
    FCdsNotaEnt = ExecutarSQL(MontarSQLNotas(), {TValor::Data(FDataIni), TValor::Data(FDataFim)}, true, false, -1,
                              "", nullptr, true);
    FNotaEntrada = Mapper<TnMapperNotaEntrada>(FCdsNotaEnt.get());
  }

  // ---- Printing ------------------------------------------------------------

  void ImprimirNotas() {
    const int total = FCdsNotaEnt->RecordCount();
    FOldCodigoEscrit = 0;
    FChaveAnterior.clear();
    FTotalOrdenar = 0;
    FValorTotalEscrit = 0;
    FValorTotalGeral = 0;
    LimparDadosEscritorio();
    FCdsNotaEnt->First();
    int contador = 0;
    while (!FCdsNotaEnt->Eof()) {
      VerificarQuebraEscritorio();
      ImprimirNota();
      SomarTotais();
      FChaveAnterior = FNotaEntrada->CampoOrdenar->AsString();
      FOldCodigoEscrit = FNotaEntrada->CodigoEscrit->AsInteger();
      ++contador;
      Report->CSLShowProgress(contador, total);
      FCdsNotaEnt->Next();
      if (FOrdenar != orNenhum && TerminouChave()) ImprimirTotalOrdenacao();
    }
  }

  // The key ends at the last invoice, at a different key and, with the company break,
  // where the company changes: each company closes its own subtotal.
  bool TerminouChave() const {
    if (FCdsNotaEnt->Eof()) return true;
    if (FNotaEntrada->CampoOrdenar->AsString() != FChaveAnterior) return true;
    return FQuebra == qeEscritorio && FNotaEntrada->CodigoEscrit->AsInteger() != FOldCodigoEscrit;
  }

  void LimparDadosEscritorio() {
    EscreverValor("pRazaoSocialEscrit", "");
    EscreverValor("pInscrFederalEscrit", "");
  }

  void VerificarQuebraEscritorio() {
    if (FQuebra != qeEscritorio) return;
    if (FNotaEntrada->CodigoEscrit->AsInteger() == FOldCodigoEscrit) return;
    ImprimirTotalEscritorio();
    EscreverValor("pRazaoSocialEscrit", FNotaEntrada->NomeEscrit->AsString());
    EscreverValor("pInscrFederalEscrit", FNotaEntrada->InscFederal->AsString());
    RepEndOfPage(true);
  }

  static std::string TextoData(const TField& campo) {
    return campo.IsNull() ? "" : FormatDateTime(kMascaraData, campo.AsDateTime());
  }

  static std::string DescricaoFormaPgto(int formaPgto) { return formaPgto == kFormaPgtoPrazo ? "Prazo" : "Vista"; }

  static std::string DescricaoStatus(int status) {
    if (status == kStatusPendente) return "Pendente";
    if (status == kStatusLancarEstoque) return "Lançar Estoque";
    return "Finalizada";
  }

  void ImprimirNota() {
    const TnMapperNotaEntrada& n = *FNotaEntrada;
    EscreverValor("R1", TextoData(*n.DataEntradaNota));
    EscreverValor("R8", TextoData(*n.DataEmissaoNota));
    EscreverValor("R2", n.CodigoNotaEnt->AsString());
    EscreverValor("R3", n.NumeroNota->AsString());
    EscreverValor("R4", n.CodigoPessoaFin->AsString() + " " + n.NomeFornec->AsString());
    EscreverValor("R5", FormatFloat(kMascaraValor, n.ValorTotalNota->AsFloat()));
    EscreverValor("R6", DescricaoFormaPgto(n.FormaPgtoNota->AsInteger()));
    EscreverValor("R7", DescricaoStatus(n.StatusNota->AsInteger()));
    RepPrintSection(kSecaoNota);
  }

  void SomarTotais() {
    const double valor = FNotaEntrada->ValorTotalNota->AsFloat();
    FValorTotalEscrit = RoundValor(FValorTotalEscrit + valor, kCasasValor);
    FValorTotalGeral = RoundValor(FValorTotalGeral + valor, kCasasValor);
    FTotalOrdenar = RoundValor(FTotalOrdenar + valor, kCasasValor);
  }

  void ImprimirLinhaTotal(const std::string& rotulo, double valor) {
    EscreverValor("R1", rotulo);
    EscreverValor("R2", FormatFloat(kMascaraValor, valor));
    RepPrintSection(kSecaoTotal);
  }

  void ImprimirTotalEscritorio() {
    if (FValorTotalEscrit == 0 || FQuebra == qeNenhum) return;
    ImprimirLinhaTotal("Total Escritório", FValorTotalEscrit);
    FValorTotalEscrit = 0;
  }

  std::string DescricaoTotalOrdenacao() const {
    return FOrdenar == orFornecedor ? "Total Fornecedor" : "Total Competência";
  }

  // Called at every end of a key: a subtotal skipped while the grand total is still 0
  // does not run on into the next key.
  void ImprimirTotalOrdenacao() {
    if (FValorTotalGeral != 0 && FTotalOrdenar != 0) {
      ImprimirLinhaTotal(DescricaoTotalOrdenacao(), FTotalOrdenar);
      RepPrintSection(kSecaoSeparador);
    }
    FTotalOrdenar = 0;
  }

  void ImprimirTotalGeral() {
    if (FValorTotalGeral == 0) return;
    RepPrintSection(kSecaoSeparador);
    ImprimirLinhaTotal("Total Geral", FValorTotalGeral);
  }

  void ImprimirAssinatura() {
    if (FValorTotalGeral == 0) return;
    ::ImprimirAssinatura(*this, FCodigoPessoaAssinatura, kSecaoAssinatura);
  }

  TnOrdenar FOrdenar = orNenhum;
  TnTipoQuebra FQuebra = qeEscritorio;
  std::string FCodigoEscrit;
  std::string FCodigoPessoaFin;
  TDateTime FDataIni = 0;
  TDateTime FDataFim = 0;
  int32_t FCodigoPessoaAssinatura = 0;
  int32_t FOldCodigoEscrit = 0;
  double FTotalOrdenar = 0;
  double FValorTotalEscrit = 0;
  double FValorTotalGeral = 0;
  TnDataSetSQL FCdsNotaEnt;
  TnMapperNotaEntrada* FNotaEntrada = nullptr;
  std::string FChaveAnterior;  // CampoOrdenar of the previous invoice, as text
};

RPT_REGISTRAR_RELATORIO(TRptPurchases)
