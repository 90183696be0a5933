// Payments of purchase-invoice instalments made in a period, grouped by supplier
// or by payment date, with group and report totals of the amounts paid.
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"

namespace {

constexpr int kSecaoCabecalhoPagina = 1;
constexpr int kSecaoColunasFornecedor = 8;
constexpr int kSecaoLinhaFornecedor = 9;
constexpr int kSecaoColunasData = 10;
constexpr int kSecaoLinhaData = 11;
constexpr int kSecaoGrupoFornecedor = 13;
constexpr int kSecaoGrupoData = 14;
constexpr int kSecaoTotalGrupo = 15;
constexpr int kSecaoTotalGeral = 16;

constexpr int kQuebraFornecedor = 0;

constexpr const char* kMascaraValor = "##,###,##0.00";
constexpr const char* kMascaraData = "dd/mm/yyyy";

}  // namespace

struct TValorTotal {
  double vlrPago = 0;
  double vlrJuroEmulta = 0;
  double vlrDesconto = 0;
  double vlrTotal = 0;
};

struct TMapperPagto : TnMapperBase {
  NCAMPO(QUEBRACAMPO);
  NCAMPO(CODIGOESCRIT);
  NCAMPO(NOMEEMPRESA);
  NCAMPO(INSCFEDERAL);
  NCAMPO(CODIGOPESSOAFIN);
  NCAMPO(NOMEPESSOA);
  NCAMPO(NUMERONOTA);
  NCAMPO(DATAVENCIMENTOPARC);
  NCAMPO(VALORPARC);
  NCAMPO(DATABAIXA);
  NCAMPO(VALORBAIXA);
  NCAMPO(VALORJUROS);
  NCAMPO(VALORMULTA);
  NCAMPO(VALORDESCONTO);
};

class TRptPayments : public TnrwBaseDll {
 public:
  explicit TRptPayments(TnrwReport* report) : TnrwBaseDll(report) {}
  static std::string Versao() { return "[versao: 1.1.96.0]"; }

  std::vector<int> CriarListaSectionsParaZebrar() override { return {9, 11, 12, 13, 14, 15}; }

  void DepoisConfigurar(TnFormParametros* pai) override {
    TnrwBaseDll::DepoisConfigurar(pai);
    Report->OnAfterSection = TnEventoSecao(this, &TRptPayments::DoAfterSection);
  }

  void ImprimirInterno() override {
    CarregarParametros();
    ImprimirTitulo();
    TnDestruirSQLAoSair liberar{&FcdsPagamento};
    FcdsPagamento = ExecutarSQL(MontarSQLPagamento(), {}, true, false, -1, "", nullptr, true);
    if (FcdsPagamento->IsEmpty()) return;
    ImprimirPagamentos();
  }

 private:
  // The framework calls this on the printing object, so the heading follows this run's grouping.
  void DoAfterSection(TObject*, int secao) {
    if (secao != kSecaoCabecalhoPagina) return;
    RepPrintSection(FTipoQuebra == kQuebraFornecedor ? kSecaoColunasFornecedor : kSecaoColunasData);
  }

  void CarregarParametros() {
    FCodigoEscrit = Trim(RepParam("pCodigoEscrit"));
    FDataInicial = StrToDateDef(RepParam("pDataInicial"), 0);
    FDataFinal = StrToDateDef(RepParam("pDataFinal"), 0);
    FCodigoFornecedor = Trim(RepParam("pCodigoFornecedor"));
    FTipoQuebra = StrToInt(RepParam("pOrdenar"));
    ValidarPeriodo();
  }

  void ValidarPeriodo() {
    if (!(FDataFinal >= FDataInicial)) throw Exception("A data inicial não pode ser maior que a data final.");
  }

  void ImprimirTitulo() {
    Params()->SetValues("pTitulo", "Pagamentos entre " + DateToStr(FDataInicial) + " a " + DateToStr(FDataFinal));
  }

  std::string ColunaQuebra() const {
    return FTipoQuebra == kQuebraFornecedor ? "PE.CODIGOPESSOAFIN QUEBRACAMPO" : "BX.DATABAIXA QUEBRACAMPO";
  }

  // Rows come back in report order: company first, then the grouping column. Suppliers
  // that share a name are kept apart by their code, so each one forms a single group.
  std::string MontarSQLPagamento() {
    std::string sql = "SELECT " + ColunaQuebra() + ", EM.CODIGOESCRIT " + ", PM.NOME NOMEEMPRESA " +
                      ", PM.INSCFEDERAL " + ", PE.CODIGOPESSOAFIN " + ", PE.NOME NOMEPESSOA " +
                      ", NE.NUMERONOTA " + ", PA.DATAVENCIMENTOPARC " + ", PA.VALORPARC " + ", BX.DATABAIXA " +
                      ", BX.VALORBAIXA " + ", BX.VALORJUROS " + ", BX.VALORMULTA " + ", BX.VALORDESCONTO " +
                      "FROM ESCRITORIO  EM " + "INNER JOIN PESSOAFINANCEIRO PM " +
                      "ON (PM.CODIGOPESSOAFIN = EM.CODIGOESCRIT) " + "INNER JOIN NOTAENTRADA NE " +
                      "ON (NE.CODIGOESCRIT = EM.CODIGOESCRIT) " + "INNER JOIN PESSOAFINANCEIRO PE " +
                      "ON (NE.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN) " + "INNER JOIN NOTAENTRADAPARCELA PA " +
                      "ON (NE.CODIGOESCRIT = PA.CODIGOESCRIT AND " + "NE.CODIGONOTAENT = PA.CODIGONOTAENT) " +
                      "INNER JOIN NOTAENTRADAPARCELABAIXA BX " + "ON (PA.CODIGOESCRIT = BX.CODIGOESCRIT AND " +
                      "PA.CODIGONOTAENT = BX.CODIGONOTAENT AND " +
                      "PA.CODIGONOTAENTPARCELA = BX.CODIGONOTAENTPARCELA) " + "WHERE BX.DATABAIXA between " +
                      ValorParaSQL(TValor::Data(FDataInicial)) + " and " + ValorParaSQL(TValor::Data(FDataFinal));
    sql += FiltroParametro(Params()->Param("pCodigoEscrit"), {"EM.CODIGOESCRIT"});
    sql += FiltroParametro(Params()->Param("pCodigoFornecedor"), {"PE.CODIGOPESSOAFIN"});
    sql += FTipoQuebra == kQuebraFornecedor ? "order by EM.CODIGOESCRIT, PE.NOME, PE.CODIGOPESSOAFIN, BX.DATABAIXA"
                                            : "order by EM.CODIGOESCRIT, BX.DATABAIXA,  PE.NOME";
    return sql;
  }

  void ImprimirPagamentos() {
    TMapperPagto* m = Mapper<TMapperPagto>(FcdsPagamento.get());
    const int total = FcdsPagamento->RecordCount();
    FcdsPagamento->First();
    ImprimirEmpresa();
    ImprimirCabecalhoGrupo();
    FvalorPorGrupo = {};
    FvalorTotal = {};
    std::string grupoAnterior = ChaveGrupo(*m);
    int contador = 0;
    while (!FcdsPagamento->Eof()) {
      if (ChaveGrupo(*m) != grupoAnterior) {
        ImprimirTotais(kSecaoTotalGrupo, FvalorPorGrupo);
        FvalorPorGrupo = {};
        ImprimirCabecalhoGrupo();
        grupoAnterior = ChaveGrupo(*m);
      }
      ImprimirLinha();
      AcumularTotais();
      ++contador;
      Report->CSLShowProgress(contador, total);
      FcdsPagamento->Next();
    }
    ImprimirTotais(kSecaoTotalGrupo, FvalorPorGrupo);
    ImprimirTotais(kSecaoTotalGeral, FvalorTotal);
  }

  // Companies come first in the order, so a group also ends where the company changes,
  // even when the next company starts with the same supplier or date.
  static std::string ChaveGrupo(const TMapperPagto& m) {
    return m.CODIGOESCRIT->AsString() + "|" + m.QUEBRACAMPO->AsString();
  }

  TMapperPagto& Linha() { return *Mapper<TMapperPagto>(FcdsPagamento.get()); }

  void ImprimirEmpresa() {
    TMapperPagto& m = Linha();
    const bool exibir = ExibeEmpresaRel(FCodigoEscrit);
    Params()->SetValues("pNomeEmpresa", exibir ? m.NOMEEMPRESA->AsString() : "");
    Params()->SetValues("pInscrFederal", exibir ? m.INSCFEDERAL->AsString() : "");
  }

  void ImprimirCabecalhoGrupo() {
    TMapperPagto& m = Linha();
    if (FTipoQuebra == kQuebraFornecedor) {
      Params()->SetValues("pCodigoFornecedorExibir", m.CODIGOPESSOAFIN->AsString());
      Params()->SetValues("pDescFornecedor", m.NOMEPESSOA->AsString());
      RepPrintSection(kSecaoGrupoFornecedor);
    } else {
      Params()->SetValues("pPagamento", FormatDateTime(kMascaraData, m.DATABAIXA->AsDateTime()));
      RepPrintSection(kSecaoGrupoData);
    }
  }

  static double JurosEMulta(const TMapperPagto& m) { return m.VALORJUROS->AsFloat() + m.VALORMULTA->AsFloat(); }

  static double TotalLiquido(const TMapperPagto& m) {
    return m.VALORBAIXA->AsFloat() + m.VALORJUROS->AsFloat() + m.VALORMULTA->AsFloat() - m.VALORDESCONTO->AsFloat();
  }

  void ImprimirLinha() {
    TMapperPagto& m = Linha();
    TnpqPowerParam* p = Params();
    p->SetValues("R1", FTipoQuebra == kQuebraFornecedor
                           ? FormatDateTime(kMascaraData, m.DATABAIXA->AsDateTime())
                           : m.CODIGOPESSOAFIN->AsString() + " - " + m.NOMEPESSOA->AsString());
    p->SetValues("R2", m.NUMERONOTA->AsString());
    p->SetValues("R3", FormatDateTime(kMascaraData, m.DATAVENCIMENTOPARC->AsDateTime()));
    p->SetValues("R4", FormatFloat(kMascaraValor, m.VALORPARC->AsFloat()));
    p->SetValues("R5", FormatFloat(kMascaraValor, m.VALORBAIXA->AsFloat()));
    p->SetValues("R6", FormatFloat(kMascaraValor, JurosEMulta(m)));
    p->SetValues("R7", FormatFloat(kMascaraValor, m.VALORDESCONTO->AsFloat()));
    p->SetValues("R8", FormatFloat(kMascaraValor, TotalLiquido(m)));
    RepPrintSection(FTipoQuebra == kQuebraFornecedor ? kSecaoLinhaFornecedor : kSecaoLinhaData);
  }

  void AcumularTotais() {
    TMapperPagto& m = Linha();
    for (TValorTotal* t : {&FvalorPorGrupo, &FvalorTotal}) {
      t->vlrPago += m.VALORBAIXA->AsFloat();
      t->vlrJuroEmulta += JurosEMulta(m);
      t->vlrDesconto += m.VALORDESCONTO->AsFloat();
      t->vlrTotal += TotalLiquido(m);
    }
  }

  void ImprimirTotais(int secao, const TValorTotal& totais) {
    TnpqPowerParam* p = Params();
    p->SetValues("R5", FormatFloat(kMascaraValor, totais.vlrPago));
    p->SetValues("R6", FormatFloat(kMascaraValor, totais.vlrJuroEmulta));
    p->SetValues("R7", FormatFloat(kMascaraValor, totais.vlrDesconto));
    p->SetValues("R8", FormatFloat(kMascaraValor, totais.vlrTotal));
    RepPrintSection(secao);
  }

  std::string FCodigoEscrit;
  std::string FCodigoFornecedor;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  int FTipoQuebra = kQuebraFornecedor;
  TnDataSetSQL FcdsPagamento;
  TValorTotal FvalorPorGrupo;
  TValorTotal FvalorTotal;
};

RPT_REGISTRAR_RELATORIO(TRptPayments)
