#include "host/report/colunas_meses.h"

#include <algorithm>
#include <stdexcept>

#include "host/core/datas.h"
#include "host/report/report.h"

TnColunasMeses::TnColunasMeses(TnrwReport* report, std::vector<std::string> prefixos, int colunas)
    : FReport(report), FPrefixos(std::move(prefixos)), FColunas(colunas) {
  if (FColunas < 1) throw std::invalid_argument("Colunas de meses: ao menos uma coluna por linha.");
}

std::string TnColunasMeses::Titulo(int n) { return "C" + std::to_string(n); }

std::string TnColunasMeses::Valor(int n) { return "R" + std::to_string(n); }

std::vector<TDateTime> TnColunasMeses::DatasMensais(TDateTime inicio, int meses) {
  std::vector<TDateTime> datas;
  TDateTime cursor = inicio;
  for (int i = 0; i < meses; ++i) {
    datas.push_back(cursor);
    cursor = IncMonth(cursor, 1);
  }
  return datas;
}

int TnColunasMeses::ColunaDoMes(int mes) const { return (mes - 1) % FColunas + 1; }

bool TnColunasMeses::FechaLinha(int mes, int meses) const { return ColunaDoMes(mes) == FColunas && mes < meses; }

void TnColunasMeses::EscreverTitulos(const std::vector<std::string>& titulos) {
  TnpqPowerParam* params = TnpqPowerQuery::GetParams(FReport);
  for (int n = 1; n <= FColunas; ++n)
    params->SetValues(Titulo(n), static_cast<size_t>(n) <= titulos.size() ? titulos[n - 1] : std::string());
}

void TnColunasMeses::LimparValores(int aPartirDe) {
  TnpqPowerParam* params = TnpqPowerQuery::GetParams(FReport);
  for (int n = std::max(aPartirDe, 1); n <= FColunas; ++n) params->SetValues(Valor(n), "");
}

std::vector<TnpqLabel*> TnColunasMeses::Rotulos(int n) const {
  std::vector<TnpqLabel*> rotulos;
  for (const std::string& prefixo : FPrefixos)
    if (TnpqLabel* r = FReport->FindLabel(prefixo + std::to_string(n))) rotulos.push_back(r);
  return rotulos;
}

void TnColunasMeses::Posicionar(int n, double esquerda) {
  for (TnpqLabel* r : Rotulos(n)) r->Left = esquerda;
}

void TnColunasMeses::Exibir(int n, bool visivel) {
  for (TnpqLabel* r : Rotulos(n)) r->Visible = visivel;
}

void TnColunasMeses::EscreverTitulosEmLinhas(const std::vector<std::string>& textos, int secao,
                                             const std::vector<std::string>& fixos) {
  EscreverEmLinhas(&Titulo, textos, secao, fixos, false);
}

void TnColunasMeses::EscreverValoresEmLinhas(const std::vector<std::string>& textos, int secao,
                                             const std::vector<std::string>& fixos) {
  EscreverEmLinhas(&Valor, textos, secao, fixos, true);
}

void TnColunasMeses::EscreverEmLinhas(std::string (*nome)(int), const std::vector<std::string>& textos, int secao,
                                      const std::vector<std::string>& fixos, bool mesmaFaixa) {
  TnpqPowerParam* params = TnpqPowerQuery::GetParams(FReport);
  const int meses = static_cast<int>(textos.size());
  for (int mes = 1; mes <= meses; ++mes) {
    params->SetValues(nome(ColunaDoMes(mes)), textos[mes - 1]);
    if (!FechaLinha(mes, meses)) continue;
    FReport->RepPrintSection(secao);
    for (const std::string& fixo : fixos) params->SetValues(fixo, "");
    for (int n = 1; n <= FColunas; ++n) params->SetValues(nome(n), "");
    if (mesmaFaixa) FReport->ManterFaixa();
  }
}

