#include "host/render/planilha.h"

#include <xlsxwriter.h>

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <tuple>

#include "host/core/formato.h"

namespace {

constexpr size_t kMaxNomeAba = 31;              // characters a sheet name may have
constexpr double kAlturaMinimaLinha = 15;       // points

[[noreturn]] void Falhar(const std::string& arquivo, const std::string& motivo) {
  throw std::runtime_error("Não foi possível gravar a planilha '" + arquivo + "': " + motivo + ".");
}

// A sheet name the format accepts: none of []:*?/\, at most 31 characters.
std::string NomeDeAba(const std::string& nome) {
  std::string saida;
  size_t caracteres = 0;
  for (size_t i = 0; i < nome.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(nome[i]);
    if (std::string("[]:*?/\\").find(static_cast<char>(c)) != std::string::npos) continue;
    if ((c & 0xC0) != 0x80 && ++caracteres > kMaxNomeAba) break;
    saida += static_cast<char>(c);
  }
  return saida.empty() ? "Relatório" : saida;
}

struct TFechaPasta {
  void operator()(lxw_workbook* p) const { workbook_close(p); }
};

// One format per look, made once: the workbook owns them.
class TFormatos {
 public:
  explicit TFormatos(lxw_workbook* pasta) : FPasta(pasta) {}
  lxw_format* Para(const TnCelulaPlanilha& c, const std::string& numero) {
    const auto chave = std::make_tuple(numero, c.Negrito, c.TamanhoFonte, c.ADireita);
    auto& f = FFormatos[chave];
    if (f) return f;
    f = workbook_add_format(FPasta);
    if (c.Negrito) format_set_bold(f);
    format_set_font_size(f, c.TamanhoFonte);
    if (!numero.empty()) format_set_num_format(f, numero.c_str());
    if (c.ADireita && numero.empty()) format_set_align(f, LXW_ALIGN_RIGHT);
    return f;
  }

 private:
  lxw_workbook* FPasta;
  std::map<std::tuple<std::string, bool, double, bool>, lxw_format*> FFormatos;
};

void Conferir(lxw_error e, const std::string& arquivo) {
  if (e != LXW_NO_ERROR) Falhar(arquivo, lxw_strerror(e));
}

bool SoDigitos(const std::string& texto) {
  return !texto.empty() && texto.find_first_not_of("0123456789") == std::string::npos;
}

// Columns of codes: some cell is digits kept as text ("0071"); their plain integers are codes too.
std::vector<bool> ColunasDeCodigos(const TnPlanilha& planilha) {
  std::vector<bool> codigos(planilha.Larguras.size());
  for (const auto& celulas : planilha.Linhas)
    for (size_t c = 0; c < celulas.size() && c < codigos.size(); ++c)
      if (SoDigitos(celulas[c].Texto) && LerTextoImpresso(celulas[c].Texto).Tipo == TnTextoLido::Texto)
        codigos[c] = true;
  return codigos;
}

void EscreverCelula(lxw_worksheet* aba, TFormatos& formatos, lxw_row_t linha, lxw_col_t coluna,
                    const TnCelulaPlanilha& c, const std::string& arquivo, bool deCodigos = false) {
  if (c.Texto.empty()) return;
  const TnTextoLido lido = LerTextoImpresso(c.Texto);
  if (lido.Tipo == TnTextoLido::Texto || (deCodigos && SoDigitos(c.Texto)))
    Conferir(worksheet_write_string(aba, linha, coluna, c.Texto.c_str(), formatos.Para(c, {})), arquivo);
  else  // a date is its day count, as the spreadsheet counts them
    Conferir(worksheet_write_number(aba, linha, coluna, lido.Valor, formatos.Para(c, lido.Formato)), arquivo);
}

double AlturaDaLinha(const std::vector<TnCelulaPlanilha>& celulas) {
  double maior = 0;
  for (const auto& c : celulas)
    if (!c.Texto.empty()) maior = std::max(maior, c.TamanhoFonte);
  return std::max(kAlturaMinimaLinha, std::ceil(maior * 1.5));
}

// A number as the CSV writes it: the decimals it printed with, "," and no grouping.
std::string NumeroCsv(const TnTextoLido& lido) {
  const std::string& f = lido.Formato;
  const auto ponto = f.find('.');
  const size_t fim = f.find_first_of("%;", ponto == std::string::npos ? 0 : ponto);
  const size_t casas = ponto == std::string::npos ? 0 : std::min(fim, f.size()) - ponto - 1;
  const std::string mascara = casas ? "0." + std::string(casas, '0') : "0";
  const bool percentual = f.find('%') != std::string::npos;
  return FormatFloat(mascara, percentual ? lido.Valor * 100 : lido.Valor) + (percentual ? "%" : "");
}

std::string CampoCsv(const std::string& texto) {
  if (texto.empty()) return {};
  const TnTextoLido lido = LerTextoImpresso(texto);
  if (lido.Tipo == TnTextoLido::Numero) return NumeroCsv(lido);
  if (texto.find_first_of(";\"\r\n") == std::string::npos) return texto;
  std::string campo = "\"";
  for (char c : texto) campo += c == '"' ? std::string("\"\"") : std::string(1, c);
  return campo + "\"";
}

void LinhaCsv(std::ostream& saida, const std::vector<TnCelulaPlanilha>& celulas) {
  for (size_t i = 0; i < celulas.size(); ++i) saida << (i ? ";" : "") << CampoCsv(celulas[i].Texto);
  saida << "\r\n";
}

}  // namespace

void GravarPlanilhaXlsx(const TnPlanilha& planilha, const std::string& arquivo) {
  std::unique_ptr<lxw_workbook, TFechaPasta> pasta(workbook_new(arquivo.c_str()));
  if (!pasta) Falhar(arquivo, "o arquivo não pôde ser criado");
  const std::string nome = NomeDeAba(planilha.Nome);
  lxw_worksheet* aba = workbook_add_worksheet(pasta.get(), nome.c_str());
  if (!aba) Falhar(arquivo, "a aba não pôde ser criada");
  TFormatos formatos(pasta.get());
  for (size_t c = 0; c < planilha.Larguras.size(); ++c)
    Conferir(worksheet_set_column_pixels(aba, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                         static_cast<uint32_t>(std::lround(planilha.Larguras[c])), nullptr),
             arquivo);
  lxw_row_t linha = 0;
  for (const auto& t : planilha.Titulo) {
    EscreverCelula(aba, formatos, linha, 0, t, arquivo);
    Conferir(worksheet_set_row(aba, linha++, AlturaDaLinha({t}), nullptr), arquivo);
  }
  if (!planilha.Titulo.empty()) ++linha;  // a blank row below the title block
  if (!planilha.Cabecalho.empty()) {
    for (size_t c = 0; c < planilha.Cabecalho.size(); ++c)
      EscreverCelula(aba, formatos, linha, static_cast<lxw_col_t>(c), planilha.Cabecalho[c], arquivo);
    Conferir(worksheet_set_row(aba, linha, AlturaDaLinha(planilha.Cabecalho), nullptr), arquivo);
    worksheet_freeze_panes(aba, linha + 1, 0);
    if (!planilha.Larguras.empty())
      Conferir(worksheet_autofilter(aba, linha, 0, linha, static_cast<lxw_col_t>(planilha.Larguras.size() - 1)),
               arquivo);
    ++linha;
  }
  const std::vector<bool> codigos = ColunasDeCodigos(planilha);
  for (const auto& celulas : planilha.Linhas) {
    for (size_t c = 0; c < celulas.size(); ++c)
      EscreverCelula(aba, formatos, linha, static_cast<lxw_col_t>(c), celulas[c], arquivo,
                     c < codigos.size() && codigos[c]);
    ++linha;
  }
  const lxw_error e = workbook_close(pasta.release());
  if (e != LXW_NO_ERROR) Falhar(arquivo, lxw_strerror(e));
}

void GravarPlanilhaCsv(const TnPlanilha& planilha, const std::string& arquivo) {
  std::ofstream saida(arquivo, std::ios::binary);
  if (!saida) Falhar(arquivo, "o arquivo não pôde ser criado");
  saida << "\xEF\xBB\xBF";
  for (const auto& t : planilha.Titulo) LinhaCsv(saida, {t});
  if (!planilha.Titulo.empty()) saida << "\r\n";
  if (!planilha.Cabecalho.empty()) LinhaCsv(saida, planilha.Cabecalho);
  for (const auto& celulas : planilha.Linhas) LinhaCsv(saida, celulas);
  saida.close();
  if (!saida) Falhar(arquivo, "a gravação falhou (disco cheio?)");
}
