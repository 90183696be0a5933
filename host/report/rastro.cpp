#include "host/report/rastro.h"

#include <nlohmann/json.hpp>

std::string TnSecaoImpressa::Valor(const std::string& nome) const {
  for (const auto& [n, v] : Valores)
    if (n == nome) return v;
  return {};
}

std::vector<int> TnRastro::NumerosSecoes(bool semCabecalho) const {
  std::vector<int> numeros;
  for (const auto& s : Secoes)
    if (!semCabecalho || s.Secao != 1) numeros.push_back(s.Secao);
  return numeros;
}

std::string TnRastro::ParaJson() const {
  nlohmann::ordered_json j;
  j["pages"] = Paginas;
  j["sections"] = nlohmann::ordered_json::array();
  for (const auto& s : Secoes) {
    nlohmann::ordered_json js;
    js["page"] = s.Pagina;
    js["section"] = s.Secao;
    js["values"] = nlohmann::ordered_json::object();
    for (const auto& [nome, texto] : s.Valores) js["values"][nome] = texto;
    j["sections"].push_back(std::move(js));
  }
  j["queries"] = nlohmann::ordered_json::array();
  for (const auto& c : Consultas) j["queries"].push_back({{"sql", c.Sql}, {"rows", c.Linhas}});
  return j.dump(1);
}
