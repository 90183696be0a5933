#pragma once
// The chart component a layout chart element holds: bar series with labelled,
// coloured points. Reports fill it; the renderer draws a snapshot of it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using TColor = uint32_t;                       // low byte red, then green, then blue
constexpr TColor clTeeColor = 536870912;       // automatic: a palette colour per point or series

struct TPontoGrafico {
  double Valor = 0;                            // plotted value
  std::string Rotulo;                          // category label
  TColor Cor = clTeeColor;                     // point colour
};

class TChartSeries {
 public:
  virtual ~TChartSeries() = default;
  void Add(double valor, const std::string& rotulo = {}, TColor cor = clTeeColor);  // appends a point
  void Clear() { FPontos.clear(); }            // removes every point
  int Count() const { return static_cast<int>(FPontos.size()); }  // number of points
  const std::vector<TPontoGrafico>& Pontos() const { return FPontos; }  // the points in order
  std::string Title;                           // series name, shown in the legend
  TColor SeriesColor = clTeeColor;             // colour of points added with the automatic colour

 private:
  std::vector<TPontoGrafico> FPontos;
};

class TBarSeries : public TChartSeries {};

class TDBChart {
 public:
  TDBChart();                                  // starts with one bar series
  int SeriesCount() const { return static_cast<int>(FSeries.size()); }  // number of series
  TChartSeries* Series(int i) const;           // series i, from 0; throws when out of range
  TChartSeries* AddSeries(std::unique_ptr<TChartSeries> serie);  // takes ownership, returns it
  void RemoveAllSeries() { FSeries.clear(); }  // drops every series
  std::vector<std::string>& Legenda() { return FLegenda; }  // extra legend entries, cleared with the points
  const std::vector<std::string>& Legenda() const { return FLegenda; }
  std::string Titulo;                          // chart title drawn above the plot
  std::unique_ptr<TDBChart> Copia() const;     // snapshot for a printed page

 private:
  std::vector<std::unique_ptr<TChartSeries>> FSeries;
  std::vector<std::string> FLegenda;
};
