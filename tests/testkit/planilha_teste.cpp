#include "tests/testkit/planilha_teste.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace {

// One JSON document: the frozen row count, the widths, each row's cells.
constexpr const char* kLeitor = R"(
import datetime, json, sys
import openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
congeladas = ws.freeze_panes and openpyxl.utils.cell.coordinate_from_string(ws.freeze_panes)[1] - 1 or 0
larguras = [ws.column_dimensions[openpyxl.utils.get_column_letter(c)].width for c in range(1, ws.max_column + 1)]
linhas = []
for row in ws.iter_rows():
    celulas = []
    for c in row:
        v = c.value
        if v is None: t, v = 'v', ''
        elif isinstance(v, datetime.datetime): t, v = 'd', v.strftime('%d/%m/%Y')
        elif isinstance(v, (int, float)): t = 'n'
        else: t, v = 's', str(v)
        celulas.append({'t': t, 'v': v, 'f': c.number_format, 'b': bool(c.font.b)})
    linhas.append(celulas)
json.dump({'congeladas': congeladas, 'larguras': larguras, 'linhas': linhas}, sys.stdout)
)";

struct TFechaProcesso {
  void operator()(FILE* p) const { pclose(p); }
};

}  // namespace

TPlanilhaLida LerXlsx(const std::string& arquivo) {
  const std::string script =
      (std::filesystem::temp_directory_path() / ("rpt-ler-xlsx-" + std::to_string(getpid()) + ".py")).string();
  std::ofstream(script) << kLeitor;
  struct TApaga {
    const std::string& Arquivo;
    ~TApaga() { std::filesystem::remove(Arquivo); }
  } apaga{script};
  std::unique_ptr<FILE, TFechaProcesso> p(popen(("/usr/bin/python3 " + script + " '" + arquivo + "' 2>&1").c_str(), "r"));
  if (!p) throw std::runtime_error("não foi possível rodar /usr/bin/python3");
  std::string saida;
  char buf[4096];
  while (size_t n = fread(buf, 1, sizeof buf, p.get())) saida.append(buf, n);
  if (pclose(p.release()) != 0) throw std::runtime_error("openpyxl: " + saida);
  const auto j = nlohmann::json::parse(saida);
  TPlanilhaLida planilha;
  planilha.LinhasCongeladas = j["congeladas"].get<int>();
  for (const auto& l : j["larguras"]) planilha.Larguras.push_back(l.is_null() ? 0 : l.get<double>());
  for (const auto& linha : j["linhas"]) {
    auto& celulas = planilha.Linhas.emplace_back();
    for (const auto& c : linha) {
      TCelulaLida lida;
      const std::string t = c["t"];
      lida.Tipo = t == "s" ? TTipoCelula::Texto : t == "n" ? TTipoCelula::Numero : t == "d" ? TTipoCelula::Data
                                                                                           : TTipoCelula::Vazia;
      if (lida.Tipo == TTipoCelula::Numero) lida.Numero = c["v"].get<double>();
      else lida.Texto = c["v"];
      lida.Formato = c["f"];
      lida.Negrito = c["b"];
      celulas.push_back(std::move(lida));
    }
  }
  return planilha;
}

std::vector<std::vector<std::string>> LerCsv(const std::string& arquivo) {
  std::ifstream in(arquivo, std::ios::binary);
  const std::string texto((std::istreambuf_iterator<char>(in)), {});
  if (texto.rfind("\xEF\xBB\xBF", 0) != 0) throw std::runtime_error(arquivo + ": sem BOM");
  std::vector<std::vector<std::string>> linhas(1, std::vector<std::string>(1));
  bool aspas = false;
  for (size_t i = 3; i < texto.size(); ++i) {
    const char c = texto[i];
    if (aspas) {
      if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"') linhas.back().back() += '"', ++i;
      else if (c == '"') aspas = false;
      else linhas.back().back() += c;
    } else if (c == '"') {
      aspas = true;
    } else if (c == ';') {
      linhas.back().emplace_back();
    } else if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') {
      linhas.emplace_back(1);
      ++i;
    } else {
      linhas.back().back() += c;
    }
  }
  if (aspas) throw std::runtime_error(arquivo + ": aspas abertas no fim");
  if (linhas.back() == std::vector<std::string>(1)) linhas.pop_back();  // after the last line break
  return linhas;
}
