// Payables and payments of purchase invoices for one company and period: every
// instalment (or payment date of an instalment) split over the stocks the invoice
// went to, in proportion to each stock's share of the invoice value.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/client_dataset.h"
#include "host/data/field_mapper.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"

enum TnOrdenar : uint8_t { orEmpreendimento = 0, orFornecedor = 1, orVctoRcto = 2 };
enum TnTipoRelatorio : uint8_t { ipContaPagar = 0, ipPagamento = 1, ipPagarPgto = 2 };

struct TnMapperNotaEmpreend : TnMapperBase {
  NCAMPO(CodigoNotaEnt);
  NCAMPO(NumeroNota);
  NCAMPO(EspecieNota);
  NCAMPO(CodigoPessoaFin);
  NCAMPO(Nome);
  NCAMPO(CodigoEstoque);
  NCAMPO(DescrEstoque);
  NCAMPO(CodigoEmpreend);
  NCAMPO(NomeEmpre);
};

struct TnMapperParcela : TnMapperBase {
  NCAMPO(CodigoNotaEnt);
  NCAMPO(DataEmissaoNota);
  NCAMPO(QuantidadeParc);
  NCAMPO(CodigoNotaEntParcela);
  NCAMPO(DataVencimentoParc);
  NCAMPO(DataBaixa);
  NCAMPO(ValorParc);
  NCAMPO(SaldoPagar);
  NCAMPO(ValorBaixa);
  NCAMPO(ValorJuroMulta);
  NCAMPO(ValorDesconto);
};

struct TnMapperEstoque : TnMapperBase {
  NCAMPO(CodigoNotaEnt);
  NCAMPO(CodigoEstoque);
  NCAMPO(TotalEstoqueNota);
  NCAMPO(ValorTotalNota);
};

struct TnMapperRelatorio : TnMapperBase {
  NCAMPO(Fornecedor);
  NCAMPO(Empreendimento);
  NCAMPO(Estoque);
  NCAMPO(Documento);
  NCAMPO(DataVcto);
  NCAMPO(DataPgto);
  NCAMPO(DataEmissao);
  NCAMPO(Parcela);
  NCAMPO(VlrProvisao);
  NCAMPO(VlrPgto);
  NCAMPO(VlrDesconto);
  NCAMPO(VlrJuroMulta);
  NCAMPO(VlrSaldo);
};

class TRptPayablesAndPayments : public TnrwBaseDll {
 public:
  explicit TRptPayablesAndPayments(TnrwReport* report) : TnrwBaseDll(report) {}
  ~TRptPayablesAndPayments() override;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }

  std::vector<int> CriarListaSectionsParaZebrar() override {
    return {kSecaoLinha, kSecaoTotais, kSecaoLinhaPagar, kSecaoTotaisPagar, kSecaoFimGrupo};
  }
  void DepoisConfigurar(TnFormParametros* pai) override {
    TnrwBaseDll::DepoisConfigurar(pai);
    Report->OnAfterSection = TnEventoSecao(this, &TRptPayablesAndPayments::DoAfterSection);
  }

  void ImprimirInterno() override {
    CarregarParametros();
    CarregarDados();
    if (FCdsDadoRelatorio->IsEmpty()) return;
    ImprimirCabecalho();
    ImprimirRelatorio();
  }

 private:
  // Layout sections
  static constexpr int kSecaoCabecalhoPagina = 1;
  static constexpr int kSecaoCabecalhoColunas = 8;     // column heading, payments and both
  static constexpr int kSecaoLinha = 9;
  static constexpr int kSecaoTotais = 10;
  static constexpr int kSecaoCabecalhoColunasPagar = 11;  // column heading, payables
  static constexpr int kSecaoLinhaPagar = 12;
  static constexpr int kSecaoTotaisPagar = 13;
  static constexpr int kSecaoFimGrupo = 14;

  static constexpr int kCasasValor = 2;
  static constexpr double kPercentualMaximo = 100;
  static constexpr double kAjusteMaximo = 1;           // a larger remainder is not rounding
  static constexpr int kTotaisPagar = 1;               // "VlrProvisao"
  static constexpr int kTotaisOutros = 5;              // "VlrProvisao" .. "VlrSaldo"
  static constexpr int kRateioPagar = 1;               // amount indexes 0..0
  static constexpr int kRateioOutros = 4;              // amount indexes 0..3
  static constexpr int kTipoInsumoExcluido = 1;
  static constexpr const char* kSemGrupo = "~";

  // Parameters
  void CarregarParametros();

  // Data
  void CarregarDados();
  void CriarDadoRelatorio();
  void ExecutarConsultas();
  TnDataSetSQL AbrirConsulta(const std::string& sql, const std::string& indice);
  std::string MontarSQLConsultaParcela() const;
  std::string MontarSQLConsultaNotaEmpreend() const;
  std::string MontarSQLConsultaEstoque() const;
  std::string MontarSQLParcela() const;
  std::string MontarSQLNotaMovimento() const;
  std::string MontarSQLNotaRateio() const;
  std::string MontarSQLEstoqueMovimento() const;
  std::string MontarSQLEstoqueRateio() const;
  std::string MontarFiltroPeriodoParcela() const;
  std::string MontarSQLNotasPeriodo(bool baixaDaParcela) const;
  void IncluirLinhaRelatorio();
  double CalcularPercentualEstoque();
  bool BaixaNoPeriodo() const;
  void CalcularSaldoPagamento();
  void CalcularSaldoPagarPgto();
  void AcumularRateioParcela();
  void AjustarRateioParcela();
  void ZerarRateioParcela();
  void PosicionarParcelaPagar();
  void ProximaParcela();
  bool MesmaParcela(int nota, int parcela) const;
  TField* CampoValor(int indice) const;
  TField* NomeCampoParcela(int indice) const;

  // Printing
  void ImprimirCabecalho();
  void ImprimirRelatorio();
  void ImprimirLinha();
  void ImprimirTotais(const std::vector<double>& lista, const std::string& titulo);
  void AcumularTotais(std::vector<double>& lista);
  void PrepararListaTotais(std::unique_ptr<std::vector<double>>& lista);
  std::string OrdemRelatorio() const;
  std::string TituloQuebra() const;
  std::string TituloRelatorio() const;
  std::string FormatarMoeda(double valor) const;
  std::string FormatarData(TDateTime data) const;
  void DoAfterSection(TObject* sender, int secao);

  int FCodigoEscrit = 0;
  TnOrdenar FOrdenar = orEmpreendimento;
  TnTipoRelatorio FTipoRelatorio = ipContaPagar;
  TDateTime FDataIni = 0, FDataFim = 0;
  std::string FCodigoPessoaFin;
  std::string FCodigoEmpreend;
  std::unique_ptr<TnClientDataSet> FCdsDadoRelatorio;
  TnDataSetSQL FCdsEstoque, FCdsParcela, FCdsNotaEmpreend;
  TnMapperEstoque* FEstoque = nullptr;
  TnMapperParcela* FParcela = nullptr;
  TnMapperNotaEmpreend* FNotaEmpreend = nullptr;
  TnMapperRelatorio* FDadoRelatorio = nullptr;
  std::unique_ptr<std::vector<double>> FTotalRateioParcela;
  std::unique_ptr<std::vector<double>> FListaTotalOrdenado, FListaTotalGeral;
  bool FPrimeiraLinhaParcela = true;             // the instalment row is its first payment date
};

TRptPayablesAndPayments::~TRptPayablesAndPayments() {
  FCdsDadoRelatorio.reset();
  FListaTotalOrdenado.reset();
  FListaTotalGeral.reset();
  FTotalRateioParcela.reset();
}

// ---- parameters

void TRptPayablesAndPayments::CarregarParametros() {
  TnpqPowerParam* params = Params();
  FDataIni = params->Param("pDataInicial")->GetAsDate();
  FDataFim = params->Param("pDataFinal")->GetAsDate();
  if (FDataIni > FDataFim)
    throw EnParam(params->Param("pDataFinal"), "Data Final não pode ser inferior a Data Inicial, verifique!");
  FCodigoEscrit = params->Param("pCodigoEscrit")->GetAsInteger();
  FOrdenar = static_cast<TnOrdenar>(params->Param("pOrdenar")->GetAsInteger());
  FTipoRelatorio = static_cast<TnTipoRelatorio>(params->Param("pTipoRelatorio")->GetAsInteger());
  FCodigoPessoaFin = Trim(RepParam("pCodigoPessoaFin"));
  FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
}

// ---- data

void TRptPayablesAndPayments::CarregarDados() {
  CriarDadoRelatorio();
  // The query results live only for this step, whichever way it ends.
  TnDestruirSQLAoSair liberar{&FCdsNotaEmpreend, &FCdsParcela, &FCdsEstoque};

  ExecutarConsultas();
  if (FCdsNotaEmpreend->IsEmpty()) return;

  ZerarRateioParcela();
  const int total = FCdsParcela->RecordCount();
  FCdsParcela->First();
  FPrimeiraLinhaParcela = true;
  while (!FCdsParcela->Eof()) {
    if (FTipoRelatorio == ipContaPagar) PosicionarParcelaPagar();
    const int linhasAntes = FCdsDadoRelatorio->RecordCount();
    const std::string nota = FParcela->CodigoNotaEnt->AsString();
    FCdsNotaEmpreend->SetRange({TValor(nota)}, {TValor(nota)});
    FCdsNotaEmpreend->First();
    while (!FCdsNotaEmpreend->Eof()) {
      IncluirLinhaRelatorio();
      FCdsNotaEmpreend->Next();
    }
    Report->CSLShowProgress(FCdsParcela->RecNo(), total);
    // Each instalment row (one per payment date) is squared with its own stock
    // rows, before moving on: summing several payment dates against one date's
    // amounts would move a whole payment as if it were a rounding remainder.
    // An invoice outside the development selection appended nothing to square.
    if (FCdsDadoRelatorio->RecordCount() > linhasAntes) AjustarRateioParcela();
    ZerarRateioParcela();
    ProximaParcela();
  }
}

bool TRptPayablesAndPayments::MesmaParcela(int nota, int parcela) const {
  return !FCdsParcela->Eof() && FParcela->CodigoNotaEnt->AsInteger() == nota &&
         FParcela->CodigoNotaEntParcela->AsInteger() == parcela;
}

void TRptPayablesAndPayments::PosicionarParcelaPagar() {
  // A payable is listed once: on its payment date inside the period, when it has
  // one (its open balance is then what is owed), else on its first row.
  const int inicio = FCdsParcela->RecNo();
  const int nota = FParcela->CodigoNotaEnt->AsInteger();
  const int parcela = FParcela->CodigoNotaEntParcela->AsInteger();
  while (MesmaParcela(nota, parcela) && !BaixaNoPeriodo()) FCdsParcela->Next();
  if (!MesmaParcela(nota, parcela)) FCdsParcela->SetRecNo(inicio);
}

void TRptPayablesAndPayments::ProximaParcela() {
  const int nota = FParcela->CodigoNotaEnt->AsInteger();
  const int parcela = FParcela->CodigoNotaEntParcela->AsInteger();
  FCdsParcela->Next();
  if (FTipoRelatorio == ipContaPagar)
    while (MesmaParcela(nota, parcela)) FCdsParcela->Next();
  FPrimeiraLinhaParcela = !MesmaParcela(nota, parcela);
}

void TRptPayablesAndPayments::CriarDadoRelatorio() {
  if (FCdsDadoRelatorio) {
    FCdsDadoRelatorio->EmptyDataSet();
  } else {
    auto ds = std::make_unique<TnClientDataSet>();
    ds->AddFieldDef("Fornecedor", ftString, 120);
    ds->AddFieldDef("Empreendimento", ftString, 120);
    ds->AddFieldDef("Estoque", ftString, 120);
    ds->AddFieldDef("Documento", ftString, 20);
    ds->AddFieldDef("DataVcto", ftDate);
    ds->AddFieldDef("DataPgto", ftDate);
    ds->AddFieldDef("DataEmissao", ftDate);
    ds->AddFieldDef("Parcela", ftString, 20);
    ds->AddFieldDef("VlrProvisao", ftFloat);
    ds->AddFieldDef("VlrPgto", ftFloat);
    ds->AddFieldDef("VlrDesconto", ftFloat);
    ds->AddFieldDef("VlrJuroMulta", ftFloat);
    ds->AddFieldDef("VlrSaldo", ftFloat);
    ds->CreateDataSet();
    ds->SetLogChanges(false);
    FCdsDadoRelatorio = std::move(ds);
  }
  FDadoRelatorio = Mapper<TnMapperRelatorio>(FCdsDadoRelatorio.get());
}

TnDataSetSQL TRptPayablesAndPayments::AbrirConsulta(const std::string& sql, const std::string& indice) {
  TnDataSetSQL ds = ExecutarSQL(sql, {TValor(FCodigoEscrit), TValor::Data(FDataIni), TValor::Data(FDataFim)},
                                true, false, -1, "", nullptr, true);
  ds->SetIndexFieldNames(indice);
  return ds;
}

void TRptPayablesAndPayments::ExecutarConsultas() {
  FCdsParcela = AbrirConsulta(MontarSQLConsultaParcela(), "CODIGONOTAENT;CODIGONOTAENTPARCELA");
  FParcela = Mapper<TnMapperParcela>(FCdsParcela.get());
  FCdsNotaEmpreend = AbrirConsulta(MontarSQLConsultaNotaEmpreend(), "CODIGONOTAENT;CODIGOESTOQUE");
  FNotaEmpreend = Mapper<TnMapperNotaEmpreend>(FCdsNotaEmpreend.get());
  FCdsEstoque = AbrirConsulta(MontarSQLConsultaEstoque(), "CODIGONOTAENT;CODIGOESTOQUE");
  FEstoque = Mapper<TnMapperEstoque>(FCdsEstoque.get());
}

std::string TRptPayablesAndPayments::MontarSQLConsultaParcela() const {
  std::string sql = MontarSQLParcela();
  if (FTipoRelatorio == ipContaPagar) sql += " and (PA.SALDOPAGAR <> 0) ";
  else if (FTipoRelatorio == ipPagamento) sql += " and (PA.VALORPARC <> PA.SALDOPAGAR) ";
  sql += MontarFiltroPeriodoParcela();
  sql += FiltroParametro(Params()->Param("pCodigoPessoaFin"), {"NE.CODIGOPESSOAFIN"});
  sql += " group by NE.CODIGONOTAENT ";
  sql += ", coalesce(NE.QUANTIDADEPARC, 1) ";
  sql += ", PA.CODIGONOTAENTPARCELA ";
  sql += ", PA.DATAVENCIMENTOPARC ";
  sql += ", PA.VALORPARC ";
  sql += ", NE.DATAEMISSAONOTA ";
  sql += ", PA.SALDOPAGAR ";
  sql += ", BX.DATABAIXA ";
  return sql;
}

std::string TRptPayablesAndPayments::MontarSQLConsultaNotaEmpreend() const {
  const std::string condicoes = FiltroParametro(Params()->Param("pCodigoEmpreend"), {"ET.CODIGOEMPREEND"}) +
                                FiltroParametro(Params()->Param("pCodigoPessoaFin"), {"NE.CODIGOPESSOAFIN"});
  return "select distinct * from (" + MontarSQLNotaMovimento() + condicoes + " union " + MontarSQLNotaRateio() +
         condicoes + ") Tab ";
}

std::string TRptPayablesAndPayments::MontarSQLConsultaEstoque() const {
  const std::string condicoes = FiltroParametro(Params()->Param("pCodigoEmpreend"), {"ET.CODIGOEMPREEND"}) +
                                FiltroParametro(Params()->Param("pCodigoPessoaFin"), {"NE.CODIGOPESSOAFIN"});
  std::string sql = MontarSQLEstoqueMovimento() + condicoes;
  sql += " group by ";
  sql += "  NE.CODIGONOTAENT ";
  sql += ", NM.CODIGOESTOQUE ";
  sql += ", NE.VALORTOTALNOTA ";
  sql += " union ";
  sql += MontarSQLEstoqueRateio() + condicoes;
  sql += " group by NE.CODIGONOTAENT ";
  sql += ", ET.CODIGOESTOQUE ";
  sql += ", NE.VALORTOTALNOTA ";
  return sql;
}

std::string TRptPayablesAndPayments::MontarFiltroPeriodoParcela() const {
  std::string c;
  if (FTipoRelatorio != ipPagamento) c = " (PA.DATAVENCIMENTOPARC between :pDataIni and :pDataFim) ";
  if (FTipoRelatorio != ipContaPagar) c = TemDados("", c, " or ") + " (BX.DATABAIXA between :pDataIni and :pDataFim) ";
  return " and (" + c + ") ";
}

// The invoices of the period, each once: those with an instalment due in it, those with
// a payment made in it, or both, by report type. The statements start from these codes,
// read through the date indexes, instead of walking every invoice of the company.
// baixaDaParcela: a payment counts only together with its instalment.
std::string TRptPayablesAndPayments::MontarSQLNotasPeriodo(bool baixaDaParcela) const {
  std::string sql = "(";
  if (FTipoRelatorio != ipPagamento) {
    sql += "select distinct PA.CODIGONOTAENT from NOTAENTRADAPARCELA PA ";
    sql += "where PA.CODIGOESCRIT = :pCodigoEscrit ";
    sql += "and PA.DATAVENCIMENTOPARC between :pDataIni and :pDataFim ";
  }
  if (FTipoRelatorio != ipContaPagar) {
    if (FTipoRelatorio != ipPagamento) sql += "union ";
    sql += "select distinct BX.CODIGONOTAENT from NOTAENTRADAPARCELABAIXA BX ";
    if (baixaDaParcela) {
      sql += "join NOTAENTRADAPARCELA PA ";
      sql += "on PA.CODIGOESCRIT = BX.CODIGOESCRIT ";
      sql += "and PA.CODIGONOTAENT = BX.CODIGONOTAENT ";
      sql += "and PA.CODIGONOTAENTPARCELA = BX.CODIGONOTAENTPARCELA ";
    }
    sql += "where BX.CODIGOESCRIT = :pCodigoEscrit ";
    sql += "and BX.DATABAIXA between :pDataIni and :pDataFim ";
  }
  sql += ") NP join NOTAENTRADA NE on NE.CODIGOESCRIT = :pCodigoEscrit and NE.CODIGONOTAENT = NP.CODIGONOTAENT ";
  return sql;
}

std::string TRptPayablesAndPayments::MontarSQLParcela() const {
  return "select distinct NE.CODIGONOTAENT , coalesce(NE.QUANTIDADEPARC, 1) QUANTIDADEPARC , "
         "PA.CODIGONOTAENTPARCELA , PA.DATAVENCIMENTOPARC , PA.VALORPARC , NE.DATAEMISSAONOTA , PA.SALDOPAGAR , "
         "BX.DATABAIXA , sum(coalesce(BX.VALORBAIXA, 0)) VALORBAIXA , sum(coalesce(BX.VALORJUROS, 0) + "
         "coalesce(BX.VALORMULTA, 0)) VALORJUROMULTA , sum(coalesce(BX.VALORDESCONTO, 0)) VALORDESCONTO from " +
         MontarSQLNotasPeriodo(true) +
         "join NOTAENTRADAPARCELA PA on PA.CODIGOESCRIT = NE.CODIGOESCRIT and PA.CODIGONOTAENT = "
         "NE.CODIGONOTAENT left join NOTAENTRADAPARCELABAIXA BX on BX.CODIGOESCRIT = NE.CODIGOESCRIT and "
         "BX.CODIGONOTAENT = NE.CODIGONOTAENT and BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA where "
         "NE.CodigoEscrit = :pCodigoEscrit ";
}

std::string TRptPayablesAndPayments::MontarSQLNotaMovimento() const {
  return "select distinct NE.CODIGONOTAENT , NE.NUMERONOTA , NE.ESPECIENOTA , NE.CODIGOPESSOAFIN , FO.NOME , "
         "NM.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE from " +
         MontarSQLNotasPeriodo(true) +
         "join PESSOAFINANCEIRO FO on FO.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN join NOTAENTRADAITEMMVTOESTOQUE NM on "
         "NM.CODIGOESCRIT = NE.CODIGOESCRIT and NM.CODIGONOTAENT = NE.CODIGONOTAENT join ESTOQUEMOVIMENTO MV on "
         "MV.CODIGOESCRIT = NE.CODIGOESCRIT and MV.CODIGOESTOQUE = NM.CODIGOESTOQUE and MV.CODIGOMVTOESTOQUE = "
         "NM.CODIGOMVTOESTOQUE left join ESTOQUE ET on ET.CODIGOESCRIT = NE.CODIGOESCRIT and ET.CODIGOESTOQUE = "
         "NM.CODIGOESTOQUE left join EMPREENDIMENTO EM on EM.CODIGOESCRIT = NE.CODIGOESCRIT and EM.CODIGOEMPREEND = "
         "ET.CODIGOEMPREEND where NE.CODIGOESCRIT = :pCodigoEscrit ";
}

// Each invoice item is spread over many allocations, one per unit: the stocks they went
// to are taken once per invoice first, and only those pairs meet the invoice, the
// supplier, the stock and the development.
std::string TRptPayablesAndPayments::MontarSQLNotaRateio() const {
  std::string estoques = "select distinct NE.CODIGONOTAENT , RA.CODIGOESTOQUE from " + MontarSQLNotasPeriodo(true) +
                         "join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and NI.CODIGONOTAENT = "
                         "NE.CODIGONOTAENT join INSUMO SU on SU.CODIGOINSUMO = NI.CODIGOINSUMO and SU.TIPOINSUMO <> ";
  estoques += ValorParaSQL(TValor(kTipoInsumoExcluido));
  estoques += " join NOTAENTRADAITEMRATEIO RI ";
  estoques += "on RI.CODIGOESCRIT = NE.CODIGOESCRIT ";
  estoques += "and RI.CODIGONOTAENT = NE.CODIGONOTAENT ";
  estoques += "and RI.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM ";
  estoques += "join RATEIO RA ";
  estoques += "on RA.CODIGOESCRIT = RI.CODIGOESCRIT ";
  estoques += "and RA.CODIGOEMPREEND = RI.CODIGOEMPREEND ";
  estoques += "and RA.CODIGOESTRUTURA = RI.CODIGOESTRUTURA ";
  estoques += "and RA.CODIGORATEIO = RI.CODIGORATEIO";
  std::string sql =
      "select distinct NE.CODIGONOTAENT , NE.NUMERONOTA , NE.ESPECIENOTA , NE.CODIGOPESSOAFIN , FO.NOME , "
      "RG.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE from (" + estoques + ") RG "
      "join NOTAENTRADA NE on NE.CODIGOESCRIT = :pCodigoEscrit and NE.CODIGONOTAENT = RG.CODIGONOTAENT "
      "join PESSOAFINANCEIRO FO on FO.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN ";
  sql += "join ESTOQUE ET ";
  sql += "on ET.CODIGOESCRIT = NE.CODIGOESCRIT ";
  sql += "and ET.CODIGOESTOQUE = RG.CODIGOESTOQUE ";
  sql += "join EMPREENDIMENTO EM ";
  sql += "on EM.CODIGOESCRIT = NE.CODIGOESCRIT ";
  sql += "and EM.CODIGOEMPREEND = ET.CODIGOEMPREEND ";
  sql += "where NE.CODIGOESCRIT = :pCodigoEscrit ";
  return sql;
}

std::string TRptPayablesAndPayments::MontarSQLEstoqueMovimento() const {
  return "select NE.CODIGONOTAENT , NM.CODIGOESTOQUE , sum(round((MV.QUANTIDADEMVTO * "
         "MV.VALORCUSTOOPERACIONALUNIT), 2)) TotalEstoqueNota , NE.VALORTOTALNOTA from " +
         MontarSQLNotasPeriodo(false) +
         "join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and NI.CODIGONOTAENT = NE.CODIGONOTAENT join "
         "NOTAENTRADAITEMMVTOESTOQUE NM on NM.CODIGOESCRIT = NE.CODIGOESCRIT and NM.CODIGONOTAENT = "
         "NE.CODIGONOTAENT and NM.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM join ESTOQUEMOVIMENTO MV on "
         "MV.CODIGOESCRIT = NE.CODIGOESCRIT and MV.CODIGOESTOQUE = NM.CODIGOESTOQUE and MV.CODIGOMVTOESTOQUE = "
         "NM.CODIGOMVTOESTOQUE left join ESTOQUE ET on ET.CODIGOESCRIT = NE.CODIGOESCRIT and ET.CODIGOESTOQUE = "
         "NM.CODIGOESTOQUE join UNIDADEMEDIDA UN on UN.CODIGOUNIDADEMEDIDA = NI.CODIGOUNIDADEMEDIDA where "
         "NE.CodigoEscrit = :pCodigoEscrit ";
}

std::string TRptPayablesAndPayments::MontarSQLEstoqueRateio() const {
  std::string sql =
      "select NE.CODIGONOTAENT , ET.CODIGOESTOQUE , sum(round(ET.VALORRATEIO, 2)) TotalEstoqueNota , "
      "NE.VALORTOTALNOTA from " +
      MontarSQLNotasPeriodo(false) +
      "join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and "
      "NI.CODIGONOTAENT = NE.CODIGONOTAENT join NOTAENTRADAITEMRATEIO RI on RI.CODIGOESCRIT = NE.CODIGOESCRIT and "
      "RI.CODIGONOTAENT = NE.CODIGONOTAENT and RI.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM join INSUMO SU on "
      "SU.CODIGOINSUMO = NI.CODIGOINSUMO and SU.TIPOINSUMO <> ";
  sql += ValorParaSQL(TValor(kTipoInsumoExcluido));
  sql += " join RATEIO ET ";
  sql += "on ET.CODIGOESCRIT = NE.CODIGOESCRIT ";
  sql += "and ET.CODIGOEMPREEND = RI.CODIGOEMPREEND ";
  sql += "and ET.CODIGOESTRUTURA = RI.CODIGOESTRUTURA ";
  sql += "and ET.CODIGORATEIO = RI.CODIGORATEIO ";
  sql += "where NE.CodigoEscrit = :pCodigoEscrit";
  return sql;
}

TField* TRptPayablesAndPayments::CampoValor(int indice) const {
  return FCdsDadoRelatorio->Fields(FDadoRelatorio->VlrProvisao->Index() + indice);
}

TField* TRptPayablesAndPayments::NomeCampoParcela(int indice) const {
  switch (indice) {
    case 1: return FParcela->ValorBaixa;
    case 2: return FParcela->ValorDesconto;
    case 3: return FParcela->ValorJuroMulta;
    default: return FParcela->ValorParc;
  }
}

void TRptPayablesAndPayments::IncluirLinhaRelatorio() {
  TnMapperRelatorio& r = *FDadoRelatorio;
  TnMapperParcela& p = *FParcela;
  TnMapperNotaEmpreend& n = *FNotaEmpreend;
  FCdsDadoRelatorio->Append();
  if (!n.CodigoEmpreend->IsNull())
    r.Empreendimento->SetAsString(n.CodigoEmpreend->AsString() + TemDados(" - ", n.NomeEmpre->AsString(), ""));
  r.Fornecedor->SetAsString(n.CodigoPessoaFin->AsString() + " - " + n.Nome->AsString());
  r.Estoque->SetAsString(n.CodigoEstoque->AsString() + " - " + n.DescrEstoque->AsString());
  r.Documento->SetAsString(n.NumeroNota->AsString() + " " + n.EspecieNota->AsString());
  r.DataEmissao->SetValue(p.DataEmissaoNota->Value());
  r.DataVcto->SetValue(p.DataVencimentoParc->Value());
  r.Parcela->SetAsString(p.CodigoNotaEntParcela->AsString() + "/" + p.QuantidadeParc->AsString());

  const double pct = CalcularPercentualEstoque();
  if (FTipoRelatorio != ipContaPagar) {
    if (p.ValorBaixa->AsFloat() > 0 && BaixaNoPeriodo()) {
      r.DataPgto->SetValue(p.DataBaixa->Value());
      r.VlrPgto->SetAsFloat(RoundValor(p.ValorBaixa->AsFloat() * pct / 100, kCasasValor));
      r.VlrDesconto->SetAsFloat(RoundValor(p.ValorDesconto->AsFloat() * pct / 100, kCasasValor));
      r.VlrJuroMulta->SetAsFloat(RoundValor(p.ValorJuroMulta->AsFloat() * pct / 100, kCasasValor));
      CalcularSaldoPagamento();
    }
  } else if (p.SaldoPagar->AsFloat() > 0 && p.SaldoPagar->AsFloat() != p.ValorParc->AsFloat() && BaixaNoPeriodo()) {
    // Partly paid in the period: what is still owed is the open balance.
    FCdsParcela->Edit();
    p.ValorParc->SetAsFloat(p.SaldoPagar->AsFloat());
    FCdsParcela->Post();
  }
  // The instalment is provisioned once, on its first payment date: repeating it
  // on every date would count it again in every total.
  r.VlrProvisao->SetAsFloat(
      FPrimeiraLinhaParcela ? RoundValor(p.ValorParc->AsFloat() * pct / 100, kCasasValor) : 0.0);
  CalcularSaldoPagarPgto();
  AcumularRateioParcela();
  FCdsDadoRelatorio->Post();
}

double TRptPayablesAndPayments::CalcularPercentualEstoque() {
  // A stock without a share row, or an invoice without a total, gets no share:
  // reading another stock's row or dividing by zero would misallocate the amount.
  if (!FCdsEstoque->FindKey({TValor(FNotaEmpreend->CodigoNotaEnt->AsInteger()),
                             TValor(FNotaEmpreend->CodigoEstoque->AsInteger())}))
    return 0;
  const double totalNota = FEstoque->ValorTotalNota->AsFloat();
  if (totalNota == 0) return 0;
  const double pct = RoundValor(FEstoque->TotalEstoqueNota->AsFloat() * 100 / totalNota, kCasasValor);
  return pct > kPercentualMaximo ? kPercentualMaximo : pct;
}

bool TRptPayablesAndPayments::BaixaNoPeriodo() const {
  const TDateTime baixa = FParcela->DataBaixa->AsDateTime();
  return FDataIni <= baixa && baixa <= FDataFim;
}

void TRptPayablesAndPayments::CalcularSaldoPagamento() {
  if (FTipoRelatorio != ipPagamento) return;
  TnMapperRelatorio& r = *FDadoRelatorio;
  r.VlrSaldo->SetAsFloat(
      RoundValor(r.VlrPgto->AsFloat() + r.VlrJuroMulta->AsFloat() - r.VlrDesconto->AsFloat(), kCasasValor));
}

void TRptPayablesAndPayments::CalcularSaldoPagarPgto() {
  if (FTipoRelatorio != ipPagarPgto) return;
  const TDateTime vencimento = FParcela->DataVencimentoParc->AsDateTime();
  if (vencimento < FDataIni || vencimento > FDataFim) return;
  TnMapperRelatorio& r = *FDadoRelatorio;
  r.VlrSaldo->SetAsFloat(RoundValor(r.VlrProvisao->AsFloat() - r.VlrPgto->AsFloat(), kCasasValor));
}

void TRptPayablesAndPayments::AcumularRateioParcela() {
  std::vector<double>& soma = *FTotalRateioParcela;
  for (size_t i = 0; i < soma.size(); ++i)
    soma[i] = RoundValor(soma[i] + CampoValor(static_cast<int>(i))->AsFloat(), kCasasValor);
}

void TRptPayablesAndPayments::AjustarRateioParcela() {
  // Payment amounts were allocated only when the payment falls in the period.
  const bool pagamentoAlocado = FTipoRelatorio != ipContaPagar && FParcela->ValorBaixa->AsFloat() > 0 && BaixaNoPeriodo();
  const std::vector<double>& soma = *FTotalRateioParcela;
  bool ajustou = false;
  for (size_t i = 0; i < soma.size(); ++i) {
    const int indice = static_cast<int>(i);
    if (indice == 0 ? !FPrimeiraLinhaParcela : !pagamentoAlocado) continue;
    const double diferenca = RoundValor(NomeCampoParcela(indice)->AsFloat() - soma[i], kCasasValor);
    if (diferenca == 0 || std::fabs(diferenca) > kAjusteMaximo) continue;
    if (FCdsDadoRelatorio->State() != TDataSetState::dsEdit) FCdsDadoRelatorio->Edit();
    TField* valor = CampoValor(indice);
    valor->SetAsFloat(RoundValor(valor->AsFloat() + diferenca, kCasasValor));
    ajustou = true;
  }
  if (ajustou) {
    if (FTipoRelatorio != ipContaPagar && FDadoRelatorio->VlrPgto->AsFloat() > 0) CalcularSaldoPagamento();
    CalcularSaldoPagarPgto();
    FCdsDadoRelatorio->Post();
  }
}

void TRptPayablesAndPayments::ZerarRateioParcela() {
  if (!FTotalRateioParcela) FTotalRateioParcela = std::make_unique<std::vector<double>>();
  FTotalRateioParcela->assign(FTipoRelatorio == ipContaPagar ? kRateioPagar : kRateioOutros, 0.0);
}

// ---- printing

void TRptPayablesAndPayments::DoAfterSection(TObject*, int secao) {
  if (secao != kSecaoCabecalhoPagina) return;
  RepPrintSection(FTipoRelatorio == ipContaPagar ? kSecaoCabecalhoColunasPagar : kSecaoCabecalhoColunas);
}

void TRptPayablesAndPayments::ImprimirCabecalho() {
  const nDMSQLDataSet::TnNomeInscricao empresa = nDMSQLDataSet::PegarNomeInscricao(FCodigoEscrit);
  TnpqPowerParam* params = Params();
  params->SetValues("pDescrEscrit", std::to_string(FCodigoEscrit) + TemDados(" - ", empresa.Nome, ""));
  params->SetValues("pInscrFedEscrit", empresa.InscFederal);
  params->SetValues("pTituloRelat", TituloRelatorio());
  if (FTipoRelatorio == ipPagarPgto) params->SetValues("pTitColuna", "A Pagar");
  else if (FTipoRelatorio == ipPagamento) params->SetValues("pTitColuna", "Total Pgto");
}

std::string TRptPayablesAndPayments::TituloRelatorio() const {
  switch (FTipoRelatorio) {
    case ipContaPagar: return "Contas a Pagar";
    case ipPagamento: return "Pagamento";
    case ipPagarPgto: return "Contas a Pagar e Pagamentos";
  }
  return "";
}

std::string TRptPayablesAndPayments::OrdemRelatorio() const {
  switch (FOrdenar) {
    case orEmpreendimento: return "Empreendimento;DataVcto";
    case orFornecedor: return "Fornecedor;DataVcto";
    case orVctoRcto: return FTipoRelatorio == ipPagamento ? "DataPgto;DataVcto" : "DataVcto;DataPgto";
  }
  return "Empreendimento;DataVcto";
}

std::string TRptPayablesAndPayments::TituloQuebra() const {
  switch (FOrdenar) {
    case orEmpreendimento: return "Empreendimento";
    case orFornecedor: return "Fornecedor";
    case orVctoRcto: return "Vencimento/Pagamento";
  }
  return "";
}

void TRptPayablesAndPayments::ImprimirRelatorio() {
  PrepararListaTotais(FListaTotalGeral);
  PrepararListaTotais(FListaTotalOrdenado);
  const std::string indice = OrdemRelatorio();
  const std::string titulo = TituloQuebra();
  TField* campoGrupo = FCdsDadoRelatorio->FieldByName(StrToStrArray(indice, ";").at(0));
  std::string grupoAnterior = kSemGrupo;

  const int total = FCdsDadoRelatorio->RecordCount();
  int contador = 0;
  FCdsDadoRelatorio->SetIndexFieldNames(indice);
  FCdsDadoRelatorio->First();
  while (!FCdsDadoRelatorio->Eof()) {
    if (grupoAnterior != kSemGrupo && grupoAnterior != campoGrupo->AsString()) {
      ImprimirTotais(*FListaTotalOrdenado, titulo);
      PrepararListaTotais(FListaTotalOrdenado);
    }
    ImprimirLinha();
    Report->CSLShowProgress(++contador, total);
    grupoAnterior = campoGrupo->AsString();
    FCdsDadoRelatorio->Next();
  }
  ImprimirTotais(*FListaTotalOrdenado, titulo);
  ImprimirTotais(*FListaTotalGeral, "Geral");
}

void TRptPayablesAndPayments::ImprimirLinha() {
  TnMapperRelatorio& r = *FDadoRelatorio;
  TnpqPowerParam* params = Params();
  params->SetValues("R1", r.Fornecedor->AsString());
  params->SetValues("R2", r.Empreendimento->AsString());
  params->SetValues("R3", r.Documento->AsString());
  params->SetValues("R6", r.Parcela->AsString());
  params->SetValues("R7", FormatarMoeda(r.VlrProvisao->AsFloat()));
  params->SetValues("R12", r.Estoque->AsString());
  if (FTipoRelatorio == ipContaPagar) {
    params->SetValues("R4", FormatarData(r.DataEmissao->AsDateTime()));
    params->SetValues("R5", FormatarData(r.DataVcto->AsDateTime()));
    RepPrintSection(kSecaoLinhaPagar);
  } else {
    params->SetValues("R4", FormatarData(r.DataVcto->AsDateTime()));
    params->SetValues("R5", r.DataPgto->AsDateTime() > 0 ? FormatarData(r.DataPgto->AsDateTime()) : "");
    params->SetValues("R8", FormatarMoeda(r.VlrPgto->AsFloat()));
    params->SetValues("R9", FormatarMoeda(r.VlrDesconto->AsFloat()));
    params->SetValues("R10", FormatarMoeda(r.VlrJuroMulta->AsFloat()));
    params->SetValues("R11", FormatarMoeda(r.VlrSaldo->AsFloat()));
    RepPrintSection(kSecaoLinha);
  }
  AcumularTotais(*FListaTotalGeral);
  AcumularTotais(*FListaTotalOrdenado);
}

void TRptPayablesAndPayments::AcumularTotais(std::vector<double>& lista) {
  for (size_t i = 0; i < lista.size(); ++i)
    lista[i] = RoundValor(lista[i] + CampoValor(static_cast<int>(i))->AsFloat(), kCasasValor);
}

void TRptPayablesAndPayments::ImprimirTotais(const std::vector<double>& lista, const std::string& titulo) {
  TnpqPowerParam* params = Params();
  for (size_t i = 0; i < lista.size(); ++i) params->SetValues("R" + std::to_string(i + 1), FormatarMoeda(lista[i]));
  params->SetValues("pDescrTotal", titulo);
  RepPrintSection(FTipoRelatorio == ipContaPagar ? kSecaoTotaisPagar : kSecaoTotais);
  if (&lista == FListaTotalOrdenado.get()) RepPrintSection(kSecaoFimGrupo);
}

void TRptPayablesAndPayments::PrepararListaTotais(std::unique_ptr<std::vector<double>>& lista) {
  if (!lista) lista = std::make_unique<std::vector<double>>();
  lista->assign(FTipoRelatorio == ipContaPagar ? kTotaisPagar : kTotaisOutros, 0.0);
}

std::string TRptPayablesAndPayments::FormatarMoeda(double valor) const { return FormatFloat("#,##0.00", valor); }

std::string TRptPayablesAndPayments::FormatarData(TDateTime data) const {
  // A missing date prints blank, not as the calendar's day zero.
  if (data == 0) return "";
  return FormatDateTime(FTipoRelatorio == ipContaPagar ? "DD/MM/YYYY" : "DD/MM/YY", data);
}

RPT_REGISTRAR_RELATORIO(TRptPayablesAndPayments)
