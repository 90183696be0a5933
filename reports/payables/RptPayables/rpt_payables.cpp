// Purchase-invoice instalments due in a period, grouped by supplier or by due date,
// valued by the financial model (open balance today) or the accounting model (the
// balance at the end of the period: payments made after it are added back).
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "telefone_fornecedor.h"

namespace {

constexpr int kSecaoCabecalhoPagina = 1;
constexpr int kSecaoColunasFornecedor = 8;
constexpr int kSecaoLinhaFornecedor = 9;
constexpr int kSecaoColunasVencimento = 10;
constexpr int kSecaoLinhaVencimento = 11;
constexpr int kSecaoGrupoFornecedor = 13;
constexpr int kSecaoGrupoVencimento = 14;
constexpr int kSecaoTotalGrupo = 15;
constexpr int kSecaoTotalGeral = 16;

constexpr int kQuebraFornecedor = 0;
constexpr int kQuebraVencimento = 1;
constexpr int kModeloContabil = 0;
constexpr int kModeloFinanceiro = 1;

// Instalment situations as the database codes them.
constexpr int kSituacaoAberta = 1;
constexpr int kSituacaoParcial = 2;
constexpr int kSituacaoQuitada = 3;

constexpr const char* kMascaraValor = "##,###,##0.00";
constexpr const char* kMascaraVencimento = "dd/mm/yyyy";
constexpr const char* kMascaraDataLinha = "dd/MM/yyyy";

struct TQuebra {
  const char* ColunaQuebra;    // the column whose change starts a group
  const char* OrdemRelatorio;  // index fields of the result
  const char* InicioTitulo;
};

// Suppliers that share a name are kept apart by their code, so each one forms one group.
constexpr TQuebra kQuebras[] = {
    {"PE.CODIGOPESSOAFIN", "NOMEFORNECEDOR;CODIGOFORNECEDOR;DATAVENCIMENTOPARC",
     "Contas a Pagar por Fornecedor entre "},
    {"PA.DATAVENCIMENTOPARC", "DATAVENCIMENTOPARC;NOMEFORNECEDOR", "Contas a Pagar por Vencimento entre "},
};

}  // namespace

struct TMapperContasPagar : TnMapperBase {
  NCAMPO(CAMPOQUEBRA);
  NCAMPO(CODIGOESCRIT);
  NCAMPO(NOMEEMPRESA);
  NCAMPO(INSCRFEDERALEMPRESA);
  NCAMPO(CODIGOFORNECEDOR);
  NCAMPO(NOMEFORNECEDOR);
  NCAMPO(FONE);
  NCAMPO(CODIGONOTAENT);
  NCAMPO(CODIGONOTAENTPARCELA);
  NCAMPO(DATAEMISSAOPARC);
  NCAMPO(DATAVENCIMENTOPARC);
  NCAMPO(SALDO);
  NCAMPO(NUMERONOTA);
  NCAMPO(QUANTIDADEPARC);
  NCAMPO(BAIXASFORAPERIODO);
};

class TRptPayables : public TnrwBaseDll {
 public:
  explicit TRptPayables(TnrwReport* report) : TnrwBaseDll(report) {}
  static std::string Versao() { return "[versao: 1.1.96.0]"; }

  std::vector<int> CriarListaSectionsParaZebrar() override { return {9, 11, 12, 13, 14, 15}; }

  void DepoisConfigurar(TnFormParametros* pai) override {
    TnrwBaseDll::DepoisConfigurar(pai);
    Report->OnAfterSection = TnEventoSecao(this, &TRptPayables::DoAfterSection);
  }

  void ImprimirInterno() override {
    CarregarParametros();
    ValidarPeriodo();
    TnDestruirSQLAoSair liberar{&FCdsContasPagar};
    ExecutarConsulta();
    if (FCdsContasPagar->IsEmpty()) return;
    ImprimirContas();
  }

 private:
  // The framework calls this on the printing object, so the heading follows this run's grouping.
  void DoAfterSection(TObject*, int secao) {
    if (secao != kSecaoCabecalhoPagina) return;
    RepPrintSection(FParTipoQuebra == kQuebraFornecedor ? kSecaoColunasFornecedor : kSecaoColunasVencimento);
  }

  void CarregarParametros() {
    FParCodigoEscrit = Trim(RepParam("pCodigoEscrit"));
    FParDataInicial = StrToDateDef(RepParam("pDataInicial"), 0);
    FParDataFinal = StrToDateDef(RepParam("pDataFinal"), 0);
    FParCodigoFornecedor = Trim(RepParam("pCodigoFornecedor"));
    FParTipoQuebra = StrToInt(RepParam("pOrdenar"));
    FParModelo = StrToInt(RepParam("pModelo"));
    // Any other value would run a broken statement or drop the situation filter.
    if (FParTipoQuebra != kQuebraFornecedor && FParTipoQuebra != kQuebraVencimento)
      throw EnParam(Params()->Param("pOrdenar"), "Ordenação inválida: use 0 (por fornecedor) ou 1 (por vencimento).");
    if (FParModelo != kModeloContabil && FParModelo != kModeloFinanceiro)
      throw EnParam(Params()->Param("pModelo"), "Modelo inválido: use 0 (Contábil) ou 1 (Financeiro).");
  }

  void ValidarPeriodo() {
    if (!(FParDataFinal >= FParDataInicial)) throw Exception("A data inicial não pode ser maior que a data final.");
  }

  const TQuebra& Quebra() const { return kQuebras[FParTipoQuebra]; }

  void ExecutarConsulta() {
    FCdsContasPagar = ExecutarSQL(MontarSQLContasPagar(), {}, true, false, -1, "", nullptr, true);
    FCdsContasPagar->SetIndexFieldNames(Quebra().OrdemRelatorio);
    FMapperContasPagar = Mapper<TMapperContasPagar>(FCdsContasPagar.get());
  }

  std::string MontarSQLContasPagar() {
    const std::string dataInicial = ValorParaSQL(TValor::Data(FParDataInicial), ftDate);
    const std::string dataFinal = ValorParaSQL(TValor::Data(FParDataFinal), ftDate);
    const std::string coluna = Quebra().ColunaQuebra;
    const std::string fone = MontarSQLFone();
    std::string sql =
        "SELECT " + coluna + " CAMPOQUEBRA " + ",PA.CODIGOESCRIT " + ",EMP.NOME AS NOMEEMPRESA " +
        ",EMP.INSCFEDERAL AS INSCRFEDERALEMPRESA " + ",PE.CODIGOPESSOAFIN AS CODIGOFORNECEDOR " +
        ",PE.NOME AS NOMEFORNECEDOR " + ",( " + fone + " ) AS FONE " + ",PA.CODIGONOTAENT " +
        ",PA.CODIGONOTAENTPARCELA " + ",PA.DATAEMISSAOPARC " + ",PA.DATAVENCIMENTOPARC " +
        ",COALESCE(PA.SALDOPAGAR,0) AS SALDO " + ",NE.NUMERONOTA " + ",COALESCE(NE.QUANTIDADEPARC,1) AS QUANTIDADEPARC " +
        ",SUM(COALESCE(CASE WHEN BX.DATABAIXA > " + dataFinal + " THEN BX.VALORBAIXA ELSE 0 END,0)) AS BAIXASFORAPERIODO " +
        "FROM NOTAENTRADAPARCELA PA " + "JOIN NOTAENTRADA NE ON NE.CODIGOESCRIT=PA.CODIGOESCRIT " +
        "AND NE.CODIGONOTAENT =PA.CODIGONOTAENT " +
        "LEFT JOIN NOTAENTRADAPARCELABAIXA BX ON (BX.CODIGOESCRIT = PA.CODIGOESCRIT AND " +
        "BX.CODIGONOTAENT = PA.CODIGONOTAENT AND " + "BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA) " +
        "LEFT join PessoaFinanceiro PE ON (PE.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN) " +
        "LEFT join PessoaFinanceiro EMP ON (EMP.CODIGOPESSOAFIN = PA.CODIGOESCRIT) ";
    sql += " WHERE PA.DATAVENCIMENTOPARC >= " + dataInicial + " ";
    sql += " AND PA.DATAVENCIMENTOPARC <= " + dataFinal + " ";
    const std::string emAberto = LiteralInteiro(kSituacaoAberta) + "," + LiteralInteiro(kSituacaoParcial);
    if (FParModelo == kModeloContabil)
      sql += " AND (((PA.SITUACAOPGTOPARC IN (" + LiteralInteiro(kSituacaoQuitada) + ")) and (BX.DATABAIXA > " + dataFinal +
             "))" + " or (PA.SITUACAOPGTOPARC IN (" + emAberto + ")))";
    else
      sql += " AND PA.SITUACAOPGTOPARC IN (" + emAberto + ")";
    if (!FParCodigoFornecedor.empty())
      sql += FiltroParametro(Params()->Param("pCodigoFornecedor"), {"PE.CODIGOPESSOAFIN"});
    if (!FParCodigoEscrit.empty()) sql += FiltroParametro(Params()->Param("pCodigoEscrit"), {"PA.CODIGOESCRIT"});
    sql += " GROUP BY " + coluna + " " + ",PA.CODIGOESCRIT " + ",EMP.NOME " + ",EMP.INSCFEDERAL " +
           ",PE.CODIGOPESSOAFIN " + ",PE.NOME " + ",( " + fone + " ) " + ",PA.CODIGONOTAENT " +
           ",PA.CODIGONOTAENTPARCELA " + ",PA.DATAEMISSAOPARC " + ",PA.DATAVENCIMENTOPARC " +
           ",COALESCE(PA.SALDOPAGAR,0) " + ",NE.NUMERONOTA " + ",COALESCE(NE.QUANTIDADEPARC,1)";
    return sql;
  }

  void ImprimirContas() {
    FCdsContasPagar->First();
    ImprimirTitulo();
    ImprimirEmpresa();
    FTotalValor = 0;
    FTotalPeriodoValor = 0;
    ImprimirCabecalhoGrupo();
    std::string grupoAnterior = FMapperContasPagar->CAMPOQUEBRA->AsString();
    const int total = FCdsContasPagar->RecordCount();
    int contador = 0;
    while (!FCdsContasPagar->Eof()) {
      if (FMapperContasPagar->CAMPOQUEBRA->AsString() != grupoAnterior) {
        ImprimirTotalGrupo();
        FTotalValor = 0;
        ImprimirCabecalhoGrupo();
        grupoAnterior = FMapperContasPagar->CAMPOQUEBRA->AsString();
      }
      ImprimirLinha();
      AcumularTotais();
      ++contador;
      Report->CSLShowProgress(contador, total);
      FCdsContasPagar->Next();
    }
    ImprimirTotalGrupo();
    ImprimirTotalGeral();
  }

  void ImprimirTitulo() {
    Params()->SetValues("pTitulo", std::string(Quebra().InicioTitulo) + DateToStr(FParDataInicial) + " e " +
                                       DateToStr(FParDataFinal) +
                                       (FParModelo == kModeloContabil ? " - Modelo Contábil" : " - Modelo Financeiro"));
  }

  void ImprimirEmpresa() {
    const bool exibir = ExibeEmpresaRel(FParCodigoEscrit);
    Params()->SetValues("pNomeEmpresa", exibir ? FMapperContasPagar->NOMEEMPRESA->AsString() : "");
    Params()->SetValues("pInscrFederal", exibir ? FMapperContasPagar->INSCRFEDERALEMPRESA->AsString() : "");
  }

  void ImprimirCabecalhoGrupo() {
    const TMapperContasPagar& m = *FMapperContasPagar;
    TnpqPowerParam* p = Params();
    if (FParTipoQuebra == kQuebraVencimento) {
      p->SetValues("pVencimento", FormatDateTime(kMascaraVencimento, m.DATAVENCIMENTOPARC->AsDateTime()));
      RepPrintSection(kSecaoGrupoVencimento);
      return;
    }
    p->SetValues("pCodigoFornecedorExibir", m.CODIGOFORNECEDOR->AsString());
    p->SetValues("pDescFornecedor", m.NOMEFORNECEDOR->AsString());
    if (!m.FONE->AsString().empty())
      p->SetValues("pDescFornecedor", p->GetValues("pDescFornecedor") + " - Fone: " + m.FONE->AsString());
    RepPrintSection(kSecaoGrupoFornecedor);
  }

  double ValorLinha() const {
    const TMapperContasPagar& m = *FMapperContasPagar;
    return FParModelo == kModeloContabil ? m.SALDO->AsFloat() + m.BAIXASFORAPERIODO->AsFloat() : m.SALDO->AsFloat();
  }

  void ImprimirLinha() {
    const TMapperContasPagar& m = *FMapperContasPagar;
    TnpqPowerParam* p = Params();
    if (FParTipoQuebra == kQuebraFornecedor) {
      p->SetValues("R1", m.NUMERONOTA->AsString());
      p->SetValues("R2", FormatDateTime(kMascaraDataLinha, m.DATAEMISSAOPARC->AsDateTime()));
      p->SetValues("R3", FormatDateTime(kMascaraDataLinha, m.DATAVENCIMENTOPARC->AsDateTime()));
    } else {
      p->SetValues("R1", m.CODIGOFORNECEDOR->AsString() + " - " + m.NOMEFORNECEDOR->AsString());
      p->SetValues("R2", m.FONE->AsString());
      p->SetValues("R3", m.NUMERONOTA->AsString());
      p->SetValues("R4", FormatDateTime(kMascaraDataLinha, m.DATAEMISSAOPARC->AsDateTime()));
    }
    p->SetValues("R5", FormatFloat(kMascaraValor, ValorLinha()));
    p->SetValues("R6", "Parcela " + m.CODIGONOTAENTPARCELA->AsString() + "/" + m.QUANTIDADEPARC->AsString());
    RepPrintSection(FParTipoQuebra == kQuebraFornecedor ? kSecaoLinhaFornecedor : kSecaoLinhaVencimento);
  }

  // Running sums: the money mask rounds them only when they are shown.
  void AcumularTotais() {
    FTotalValor += ValorLinha();
    FTotalPeriodoValor += ValorLinha();
  }

  void ImprimirTotalGrupo() {
    Params()->SetValues("R5", FormatFloat(kMascaraValor, FTotalValor));
    RepPrintSection(kSecaoTotalGrupo);
  }

  void ImprimirTotalGeral() {
    Params()->SetValues("R5", FormatFloat(kMascaraValor, FTotalPeriodoValor));
    RepPrintSection(kSecaoTotalGeral);
  }

  TnDataSetSQL FCdsContasPagar;
  TDateTime FParDataInicial = 0;
  TDateTime FParDataFinal = 0;
  int FParTipoQuebra = kQuebraFornecedor;
  int FParModelo = kModeloContabil;
  std::string FParCodigoFornecedor;
  std::string FParCodigoEscrit;
  TMapperContasPagar* FMapperContasPagar = nullptr;
  double FTotalValor = 0;
  double FTotalPeriodoValor = 0;
};

RPT_REGISTRAR_RELATORIO(TRptPayables)
