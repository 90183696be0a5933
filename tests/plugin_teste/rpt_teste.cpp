// A minimal report used to exercise the frame, the form emulation and the host.
// pModo: "linhas" prints pLinhas rows under a heading, "erro" raises, "vazio" prints nothing,
// "banco" prints the database's table names, one row each, "lento" runs a query of minutes.
#include "frame/frame.h"
#include "host/core/formato.h"
#include "host/data/sql.h"

namespace {
int GObjetosVivos = 0;
}

RPT_EXPORTA int RptTesteObjetosVivos() { return GObjetosVivos; }

class TRptTeste : public TnrwBaseDll {
 public:
  explicit TRptTeste(TnrwReport* report) : TnrwBaseDll(report) { ++GObjetosVivos; }
  ~TRptTeste() override { --GObjetosVivos; }
  static std::string Versao() { return "[versao: 1.2.3.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {9}; }

  void DepoisConfigurar(TnFormParametros* pai) override {
    TnrwBaseDll::DepoisConfigurar(pai);
    Report->OnAfterSection = TnEventoSecao(this, &TRptTeste::DoAfterSection);
  }

  void DoParamChange(TObject*, TnpqParamItem* item) override {
    // Only the rows mode takes a row count.
    if (item->Nome() == "pModo") Params()->EdEnabledField("pLinhas", item->GetAsString() == "linhas");
  }

  void ImprimirInterno() override {
    FModo = RepParam("pModo");
    if (FModo == "erro") throw Exception("Falha de teste.");
    if (FModo == "vazio") return;
    if (FModo == "banco") return ImprimirTabelas();
    if (FModo == "lento") {
      ExecutarSQL("select count(*) from rdb$fields a, rdb$fields b, rdb$fields c, rdb$fields d");
      return;
    }
    const int linhas = Params()->Param("pLinhas")->GetAsInteger();
    Params()->SetValues("pTitulo", "Relatório de teste — " + RepParam("pTexto"));
    for (int i = 1; i <= linhas; ++i) {
      Params()->SetValues("R1", std::to_string(i));
      Params()->SetValues("R2", FormatFloat("#,##0.00", i * 1000.5));
      RepPrintSection(9);
    }
  }

 private:
  void ImprimirTabelas() {
    TnDataSetSQL tabelas = ExecutarSQL("select trim(rdb$relation_name) from rdb$relations order by 1");
    for (tabelas->First(); !tabelas->Eof(); tabelas->Next()) {
      Params()->SetValues("R1", tabelas->Fields(0)->AsString());
      RepPrintSection(9);
    }
    DestruirSQL(tabelas);
  }

  // The heading follows this run's own mode: a form object never read it.
  void DoAfterSection(TObject*, int secao) {
    if (secao == 1) RepPrintSection(FModo == "linhas" ? 8 : 10);
  }

  std::string FModo;
};

RPT_REGISTRAR_RELATORIO(TRptTeste)
