#include "host/render/grafico.h"

#include <stdexcept>

void TChartSeries::Add(double valor, const std::string& rotulo, TColor cor) {
  FPontos.push_back({valor, rotulo, cor});
}

TDBChart::TDBChart() { FSeries.push_back(std::make_unique<TBarSeries>()); }

TChartSeries* TDBChart::Series(int i) const {
  if (i < 0 || i >= SeriesCount())
    throw std::out_of_range("Série " + std::to_string(i) + " não existe no gráfico.");
  return FSeries[static_cast<size_t>(i)].get();
}

TChartSeries* TDBChart::AddSeries(std::unique_ptr<TChartSeries> serie) {
  FSeries.push_back(std::move(serie));
  return FSeries.back().get();
}

std::unique_ptr<TDBChart> TDBChart::Copia() const {
  auto copia = std::make_unique<TDBChart>();
  copia->FSeries.clear();
  for (const auto& s : FSeries) {
    auto nova = std::make_unique<TBarSeries>();
    nova->Title = s->Title;
    nova->SeriesColor = s->SeriesColor;
    for (const auto& p : s->Pontos()) nova->Add(p.Valor, p.Rotulo, p.Cor);
    copia->FSeries.push_back(std::move(nova));
  }
  copia->FLegenda = FLegenda;
  copia->Titulo = Titulo;
  return copia;
}
