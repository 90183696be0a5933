#include "host/data/varredura_sql.h"

#include <cctype>

#include "host/core/texto.h"

namespace {

// When sql[i] opens a literal, a quoted name or a comment, the index just after
// it; otherwise i. An unclosed one runs to the end of the text.
size_t PularInerte(const std::string& sql, size_t i) {
  char c = sql[i];
  if (c == '\'' || c == '"') {
    for (size_t j = i + 1; j < sql.size(); ++j) {
      if (sql[j] == c) {
        if (j + 1 < sql.size() && sql[j + 1] == c) {  // doubled quote inside
          ++j;
          continue;
        }
        return j + 1;
      }
    }
    return sql.size();
  }
  if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
    auto fim = sql.find('\n', i);
    return fim == std::string::npos ? sql.size() : fim + 1;
  }
  if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
    auto fim = sql.find("*/", i + 2);
    return fim == std::string::npos ? sql.size() : fim + 2;
  }
  return i;
}

bool InicioNome(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool ParteNome(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

}  // namespace

TnSqlPosicional TraduzirParametros(const std::string& sql) {
  TnSqlPosicional r;
  r.Sql.reserve(sql.size());
  std::vector<std::string> maiusculos;
  for (size_t i = 0; i < sql.size();) {
    size_t depois = PularInerte(sql, i);
    if (depois != i) {
      r.Sql.append(sql, i, depois - i);
      i = depois;
      continue;
    }
    if (sql[i] == ':' && i + 1 < sql.size() && InicioNome(sql[i + 1])) {
      size_t j = i + 1;
      while (j < sql.size() && ParteNome(sql[j])) ++j;
      std::string nome = sql.substr(i + 1, j - i - 1);
      std::string chave = UpperCase(nome);
      int indice = -1;
      for (size_t k = 0; k < maiusculos.size(); ++k)
        if (maiusculos[k] == chave) indice = static_cast<int>(k);
      if (indice < 0) {
        indice = static_cast<int>(r.Nomes.size());
        r.Nomes.push_back(nome);
        maiusculos.push_back(chave);
      }
      r.Marcadores.push_back(indice);
      r.Sql += '?';
      i = j;
      continue;
    }
    r.Sql += sql[i++];
  }
  return r;
}

std::vector<std::string> DividirScript(const std::string& script) {
  std::vector<std::string> comandos;
  std::string terminador = ";";
  std::string atual;
  auto fechar = [&]() {
    std::string c = Trim(atual);
    atual.clear();
    if (c.empty()) return;
    std::string m = UpperCase(c);
    if (m.rfind("SET TERM", 0) == 0 && (m.size() == 8 || std::isspace(static_cast<unsigned char>(m[8])))) {
      std::string novo = Trim(c.substr(8));
      if (!novo.empty()) terminador = novo;
      return;
    }
    // Commands of the isql tool, not of the database; each statement commits anyway.
    static const char* const kSomenteIsql[] = {"COMMIT", "SET NAMES", "SET SQL DIALECT", "SET AUTODDL",
                                               "SET ECHO", "SET BAIL", "SET LIST", "SET WARNINGS"};
    for (const char* p : kSomenteIsql)
      if (m.rfind(p, 0) == 0) return;
    comandos.push_back(c);
  };
  for (size_t i = 0; i < script.size();) {
    size_t depois = PularInerte(script, i);
    if (depois != i) {
      // Comments go (a statement of comments alone is no statement); literals stay.
      if (script[i] == '\'' || script[i] == '"') atual.append(script, i, depois - i);
      else atual += ' ';
      i = depois;
      continue;
    }
    if (script.compare(i, terminador.size(), terminador) == 0) {
      fechar();
      i += terminador.size();
      continue;
    }
    atual += script[i++];
  }
  fechar();
  return comandos;
}
