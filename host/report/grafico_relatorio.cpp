#include "host/report/grafico_relatorio.h"

#include "host/report/report.h"

void LimparGrafico(TDBChart& chart, bool removerSeries) {
  if (removerSeries) chart.RemoveAllSeries();
  else chart.Series(0)->Clear();
  chart.Legenda().clear();
}

void AdicionarPonto(TDBChart& chart, double valor, const std::string& rotulo, TColor cor) {
  chart.Series(0)->Add(valor, rotulo, cor);
}

void DimensionarSecaoGrafico(TnrwReport& report, TnpqGrafico& grafico, const TnDimensoesGrafico& d, int entradas) {
  TnpqSection* secao = report.GetSections(d.Secao);
  secao->SetPosition(d.PosicaoSecao);
  grafico.SetHeight(d.Altura);
  report.CompileSections();
  if (entradas <= d.EntradasPadrao) return;
  if (d.AlturaNecessaria(entradas) > report.FundoImprimivel() - report.PosicaoAtual()) report.RepEndOfPage(true);
  secao->SetPosition(report.FundoImprimivel());
  report.CompileSections();
  grafico.SetHeight(secao->GetHeight() - 1);
}
