// Works progress: for each works of a company its phase list with planned and
// actual dates and percentages, its photos four to a row and a chart of the
// completion of each phase. Each works starts on a new page.
#include <memory>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "grafico_obra.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/report/imagens.h"

namespace {

// Sections of the layout.
constexpr int kSecaoFase = 8;                    // phase line, participation other than 100
constexpr int kSecaoSubfase = 9;                 // sub-phase description
constexpr int kSecaoSubfasePercentuais = 10;     // sub-phase percentages
constexpr int kSecaoFaseTotal = 11;              // phase line of participation 100 (the whole works)
constexpr int kSecaoFotos = 13;                  // one row of photos

constexpr int kTipoSubfase = 2;                  // OBRAFASE.TIPO of a sub-phase
constexpr int kTipoFase = 1;                     // OBRAFASE.TIPO of a phase
constexpr double kParticipacaoTotal = 100;       // participation of the phase that stands for the works
constexpr double kConclusaoTotal = 100;          // a finished phase
constexpr int kFotosPorLinha = 4;
constexpr size_t kTamanhoNomeCurto = 255;        // element names are short strings

constexpr TColor kCorConcluida = 0x8000;         // green
constexpr TColor kCorSubfase = 0x80FF;           // orange: red 255, green 128
constexpr TColor kCorEmAndamento = 0xFF;         // red

const char* const kMascaraPercentual = "#,##0.00";
const char* const kNomeGrafico = "Grafico";
const char* const kPrefixoImagem = "ObraFase";

}  // namespace

// Print mode, the integer value of pImprimir.
enum TnImprimir { ipRelatorio = 0, ipGrafico = 1, ipRelatorioGrafico = 2 };

// One bar of the chart.
class TnDadoGrafico {
 public:
  std::string Descricao;                         // phase description, the bar label
  double PercentPart = 0;                        // participation of the phase
  double Valor = 0;                              // completion of the phase, the plotted value
  TColor Cor = 0;                                // bar colour
};

class TnMapperFase : public TnMapperBase {
 public:
  NCAMPO(CODIGOESCRIT);
  NCAMPO(NOME);
  NCAMPO(INSCFEDERAL);
  NCAMPO(CODIGOOBRA);
  NCAMPO(DESCROBRA);
  NCAMPO(CODIGOEMPREEND);
  NCAMPO(NOMEEMPRE);
  NCAMPO(DATAPREVINICIO);
  NCAMPO(DATAPREVFIM);
  NCAMPO(CLASSIFICACAO);
  NCAMPO(DESCRICAO);
  NCAMPO(TIPO);
  NCAMPO(DATAINICIOPREV);
  NCAMPO(DATAFIMPREV);
  NCAMPO(DATAINICIOEXEC);
  NCAMPO(DATAFIMEXEC);
  NCAMPO(PERCENTPARTICIPACAO);
  NCAMPO(PERCENTCONCLUSAO);
  NCAMPO(CODIGOFASE);
};

class TRptWorksProgress : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {8, 9, 10, 11}; }
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* item) override;
  void DepoisConfigurar(TnFormParametros* pai) override;

 private:
  void CarregarParametros();
  void PrepararGrafico();
  std::string MontarSQLFases() const;
  void ConsultarFases();
  void ConsultarFotos();
  void CarregarDadosEscritorio();
  void AtribuirDadosObra();
  bool NovaObra() const;
  void ImprimirFase();
  void AdicionarDadoGrafico();
  void ImprimirGrafico();
  void ImprimirFotoRelatorio();
  void ImprimirFotos();
  void CarregarImagemRel(const std::string& _ANomeObj, const TField* _AFieldImagem);
  void HabilitarDesabilitarExibirFoto();

  int32_t FCodigoEscrit = 0;
  int32_t FOldCodigoObra = 0;
  int32_t FOldCodigoEmpreend = 0;
  std::string FCodigoEmpreend;
  std::string FCodigoObra;
  bool FExibirSubfases = false;
  bool FExibirFoto = false;
  TnImprimir FImprimir = ipRelatorio;
  TDBChart* FChart = nullptr;                    // belongs to the layout element "Grafico"
  TnDataSetSQL FCdsFase;
  TnDataSetSQL FCdsObraFaseFoto;
  TnMapperFase* FFase = nullptr;                 // belongs to FCdsFase
  std::vector<TnDadoGrafico> FDadosGrafico;      // bars of the works being printed
};

// ---- printing ---------------------------------------------------------------

void TRptWorksProgress::ImprimirInterno() {
  CarregarParametros();
  PrepararGrafico();
  TnDestruirSQLAoSair liberar{&FCdsFase, &FCdsObraFaseFoto};
  ConsultarFases();
  ConsultarFotos();
  if (FCdsFase->IsEmpty()) return;

  FCdsFase->First();
  CarregarDadosEscritorio();
  const int total = FCdsFase->RecordCount();
  FOldCodigoObra = 0;
  FOldCodigoEmpreend = 0;
  int linha = 0;
  while (!FCdsFase->Eof()) {
    if (NovaObra()) {
      // The ending works prints its photos and chart under its own header values;
      // the new works' values are set only once its page is next.
      if (FOldCodigoObra > 0) {
        ImprimirFotoRelatorio();
        ImprimirGrafico();
        RepEndOfPage(true);
      }
      AtribuirDadosObra();
    }
    ImprimirFase();
    AdicionarDadoGrafico();
    FOldCodigoObra = FFase->CODIGOOBRA->AsInteger();
    FOldCodigoEmpreend = FFase->CODIGOEMPREEND->AsInteger();
    Report->CSLShowProgress(++linha, total);
    FCdsFase->Next();
  }
  ImprimirFotoRelatorio();
  ImprimirGrafico();
}

bool TRptWorksProgress::NovaObra() const {
  return FFase->CODIGOOBRA->AsInteger() != FOldCodigoObra ||
         FFase->CODIGOEMPREEND->AsInteger() != FOldCodigoEmpreend;
}

void TRptWorksProgress::CarregarParametros() {
  FCodigoEscrit = Params()->Param("pCodigoEscrit")->GetAsInteger();
  FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
  FCodigoObra = Trim(RepParam("pCodigoObra"));
  FExibirSubfases = Params()->Param("pExibirSubfases")->GetAsInteger() == 1;
  FImprimir = static_cast<TnImprimir>(Params()->Param("pImprimir")->GetAsInteger());
  FExibirFoto = Params()->Param("pExibirFoto")->GetAsInteger() == 1;
}

void TRptWorksProgress::CarregarDadosEscritorio() {
  Params()->SetValues("pDescrEscrit", FFase->NOME->AsString());
  Params()->SetValues("pInscrFedEscrit", FFase->INSCFEDERAL->AsString());
}

void TRptWorksProgress::AtribuirDadosObra() {
  std::string obra = FFase->CODIGOOBRA->AsString() + TemDados(" - ", FFase->DESCROBRA->AsString(), "");
  if (FFase->DATAPREVINICIO->AsDateTime() > 0) {
    obra += " de " + FFase->DATAPREVINICIO->AsString();
    if (FFase->DATAPREVFIM->AsDateTime() > 0) obra += " a " + FFase->DATAPREVFIM->AsString();
  }
  Params()->SetValues("pDescrObra", obra);
  Params()->SetValues("pDescrEmpreend",
                      FFase->CODIGOEMPREEND->AsString() + TemDados(" - ", FFase->NOMEEMPRE->AsString(), ""));
}

void TRptWorksProgress::ImprimirFase() {
  if (FImprimir == ipGrafico) return;
  TnpqPowerParam* p = Params();
  p->SetValues("R1", FFase->CLASSIFICACAO->AsString() + " " + FFase->DESCRICAO->AsString());
  const double participacao = FFase->PERCENTPARTICIPACAO->AsFloat();
  if (FFase->TIPO->AsInteger() == kTipoSubfase) {
    p->SetValues("R2", FormatFloat(kMascaraPercentual, participacao));
    p->SetValues("R3", FormatFloat(kMascaraPercentual, FFase->PERCENTCONCLUSAO->AsFloat()));
    RepPrintSection(kSecaoSubfase);
    RepPrintSection(kSecaoSubfasePercentuais);
    return;
  }
  p->SetValues("R2", FFase->DATAINICIOPREV->DisplayText());
  p->SetValues("R3", FFase->DATAFIMPREV->DisplayText());
  p->SetValues("R4", FFase->DATAINICIOEXEC->DisplayText());
  p->SetValues("R5", FFase->DATAFIMEXEC->DisplayText());
  p->SetValues("R6", FormatFloat(kMascaraPercentual, participacao));
  p->SetValues("R7", FormatFloat(kMascaraPercentual, FFase->PERCENTCONCLUSAO->AsFloat()));
  RepPrintSection(participacao == kParticipacaoTotal ? kSecaoFaseTotal : kSecaoFase);
}

// ---- chart ------------------------------------------------------------------

void TRptWorksProgress::AdicionarDadoGrafico() {
  if (FImprimir == ipRelatorio) return;
  const double conclusao = FFase->PERCENTCONCLUSAO->AsFloat();
  TnDadoGrafico dado;
  dado.Cor = conclusao == kConclusaoTotal                    ? kCorConcluida
             : FFase->TIPO->AsInteger() == kTipoSubfase      ? kCorSubfase
                                                             : kCorEmAndamento;
  dado.PercentPart = FFase->PERCENTPARTICIPACAO->AsFloat();
  dado.Valor = conclusao;
  dado.Descricao = FFase->DESCRICAO->AsString();
  FDadosGrafico.push_back(std::move(dado));
}

void TRptWorksProgress::PrepararGrafico() {
  if (FImprimir == ipRelatorio) {
    FChart = nullptr;
    return;
  }
  if (!FChart) {
    FChart = Report->GraficoByName(kNomeGrafico)->Chart();
    FDadosGrafico.clear();
  }
  LimparGrafico(*FChart);
  FDadosGrafico.clear();
}

void TRptWorksProgress::ImprimirGrafico() {
  if (FImprimir == ipRelatorio) return;
  const int n = static_cast<int>(FDadosGrafico.size());
  DimensionarSecaoGrafico(*Report, *Report->GraficoByName(kNomeGrafico), kGraficoObra, n);
  for (auto dado = FDadosGrafico.rbegin(); dado != FDadosGrafico.rend(); ++dado)
    if (n == 1 || dado->PercentPart < kParticipacaoTotal)
      AdicionarPonto(*FChart, dado->Valor, dado->Descricao, dado->Cor);
  RepPrintSection(kGraficoObra.Secao);
  PrepararGrafico();
}

// ---- photos -----------------------------------------------------------------

void TRptWorksProgress::ImprimirFotoRelatorio() {
  if (!FExibirFoto) return;
  FCdsObraFaseFoto->SetIndexFieldNames("CODIGOESCRIT;CODIGOOBRA");
  FCdsObraFaseFoto->CancelRange();
  const std::vector<TValor> chave{TValor(FCodigoEscrit), TValor(FOldCodigoObra)};
  FCdsObraFaseFoto->SetRange(chave, chave);
  if (!FCdsObraFaseFoto->Eof()) ImprimirFotos();
}

void TRptWorksProgress::ImprimirFotos() {
  for (int k = 1; k <= kFotosPorLinha; ++k) CarregarImagemRel(kPrefixoImagem + std::to_string(k), nullptr);
  int j = 1;
  while (!FCdsObraFaseFoto->Eof()) {
    if (j > kFotosPorLinha) {
      Report->RepPrintSection(kSecaoFotos);
      j = 1;
    }
    CarregarImagemRel(kPrefixoImagem + std::to_string(j), FCdsObraFaseFoto->Fields(0));
    FCdsObraFaseFoto->Next();
    ++j;
  }
  for (int k = j; k <= kFotosPorLinha; ++k) CarregarImagemRel(kPrefixoImagem + std::to_string(k), nullptr);
  Report->RepPrintSection(kSecaoFotos);
}

void TRptWorksProgress::CarregarImagemRel(const std::string& _ANomeObj, const TField* _AFieldImagem) {
  TnpqImage* imagem = Report->ImageByName(_ANomeObj.substr(0, kTamanhoNomeCurto));
  imagem->SetImage(_AFieldImagem ? CarregarLogoEmpresa(Report, _AFieldImagem) : nullptr);
}

// ---- queries ----------------------------------------------------------------

std::string TRptWorksProgress::MontarSQLFases() const {
  std::string sql =
      "select OB.CODIGOESCRIT , ES.NOME , ES.INSCFEDERAL , OB.CODIGOOBRA , OB.DESCROBRA , OB.CODIGOEMPREEND , "
      "EM.NOMEEMPRE , OB.DATAPREVINICIO , OB.DATAPREVFIM , FA.CLASSIFICACAO , FA.DESCRICAO , FA.TIPO , "
      "FA.DATAINICIOPREV , FA.DATAFIMPREV , FA.DATAINICIOEXEC , FA.DATAFIMEXEC , FA.PERCENTPARTICIPACAO , "
      "FA.PERCENTCONCLUSAO , FA.CODIGOFASE from OBRA OB join EMPREENDIMENTO EM on EM.CODIGOESCRIT = "
      "OB.CODIGOESCRIT and EM.CODIGOEMPREEND = OB.CODIGOEMPREEND join PESSOAFINANCEIRO ES on "
      "ES.CODIGOPESSOAFIN = OB.CODIGOESCRIT join OBRAFASE FA on FA.CODIGOESCRIT = OB.CODIGOESCRIT and "
      "FA.CODIGOOBRA = OB.CODIGOOBRA where OB.CodigoEscrit = :pCodigoEscrit ";
  sql += FiltroParametro(Params()->Param("pCodigoEmpreend"), {"OB.CODIGOEMPREEND"});
  sql += FiltroParametro(Params()->Param("pCodigoObra"), {"OB.CODIGOOBRA"});
  if (!FExibirSubfases) sql += "and FA.TIPO = " + ValorParaSQL(kTipoFase);
  sql += " order by OB.CodigoObra, FA.CLASSIFICACAO ";
  return sql;
}

void TRptWorksProgress::ConsultarFases() {
  FCdsFase = ExecutarSQL(MontarSQLFases(), {TValor(FCodigoEscrit)}, true, false, -1, "", nullptr, true);
  FFase = Mapper<TnMapperFase>(FCdsFase.get());
}

void TRptWorksProgress::ConsultarFotos() {
  std::string sql =
      "SELECT FOTOPEQUENA, CODIGOESCRIT, CODIGOOBRA, CODIGOFASE FROM OBRAFASEFOTO WHERE CODIGOESCRIT=:pCODIGOESCRIT";
  sql += FiltroParametro(Params()->Param("pCodigoObra"), {"CODIGOOBRA"}, {1}, true, 1);
  if (!FCdsObraFaseFoto)
    FCdsObraFaseFoto = ExecutarSQL(sql, {TValor(FCodigoEscrit)}, true, false, -1, "", nullptr, true);
  else
    RefreshSQL(*FCdsObraFaseFoto, {TValor(FCodigoEscrit)}, true);
}

// ---- parameter form ---------------------------------------------------------

void TRptWorksProgress::DepoisConfigurar(TnFormParametros* pai) {
  TnrwBaseDll::DepoisConfigurar(pai);
  Params()->EdVisibleField("pCodigoEscrit", false);
  HabilitarDesabilitarExibirFoto();
}

void TRptWorksProgress::HabilitarDesabilitarExibirFoto() {
  if (Params()->Param("pImprimir")->GetAsInteger() == ipRelatorio) return;
  Params()->SetValues("pExibirFoto", "0");
  Params()->EdVisibleField("pExibirFoto", false);
}

void TRptWorksProgress::DoParamChange(TObject*, TnpqParamItem* item) {
  if (!SameText(item->Nome(), "pImprimir")) return;
  const bool soRelatorio = Params()->EdFindFieldControl("pImprimir")->GetAsString() == "0";
  Params()->SetValues("pExibirFoto", soRelatorio ? "1" : "0");
  Params()->EdFindFieldControl("pExibirFoto")->SetAsInteger(soRelatorio ? 1 : 0);
  Params()->EdEnabledField("pExibirFoto", soRelatorio);
}

RPT_REGISTRAR_RELATORIO(TRptWorksProgress)
