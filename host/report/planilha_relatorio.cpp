#include "host/report/planilha_relatorio.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

#include "host/report/layout.h"

namespace {

constexpr double kEspacoDePalavra = 12;         // labels of a title line closer than this read as one phrase

struct TColuna {
  double Esquerda = 0, Direita = 0;
};

double Direita(const TRetangulo& r) { return r.X + r.Largura; }

bool MesmaLinha(const TRetangulo& a, const TRetangulo& b) {
  return a.Y < b.Y + std::max(b.Altura, 1.0) && b.Y < a.Y + std::max(a.Altura, 1.0);
}

TnCelulaPlanilha Celula(const TnRotuloColocado& lugar, const std::string& texto) {
  return {texto, lugar.Negrito, lugar.TamanhoFonte, lugar.Alinhamento == TAlinhamento::Direita};
}

}  // namespace

void TnColetorPlanilha::SecaoColocada(int pagina, int secao, TnPapelSecao papel,
                                      std::vector<TnRotuloColocado>&& rotulos) {
  if (papel == TnPapelSecao::Rodape) return;
  TSecao s{pagina, secao, papel, {}};
  for (auto& r : rotulos) {
    const TChave chave{r.Rotulo, r.Area.X, r.Area.Y, r.Area.Largura, r.Area.Altura, r.Negrito, r.TamanhoFonte,
                       r.Alinhamento};
    auto [it, novo] = FIndice.try_emplace(chave, FLugares.size());
    if (novo) {
      FLugares.push_back(r);
      FLugares.back().Texto.clear();
    }
    s.Textos.emplace_back(it->second, std::move(r.Texto));
  }
  FSecoes.push_back(std::move(s));
}

TnPlanilha TnColetorPlanilha::Montar(const std::string& nome) const {
  TnPlanilha planilha;
  planilha.Nome = nome;
  if (FSecoes.empty()) return planilha;

  // The first page header and what printed with it.
  const int primeira = FSecoes.front().Pagina;
  const TSecao* cabecalho = nullptr;
  std::set<size_t> titulos;                      // column-heading places
  std::vector<const TSecao*> comCabecalho;
  for (const auto& s : FSecoes) {
    if (s.Pagina != primeira || s.Papel != TnPapelSecao::Cabecalho) continue;
    if (s.Numero == TnLayout::kSecaoCabecalho) cabecalho = cabecalho ? cabecalho : &s;
    else comCabecalho.push_back(&s);
  }
  for (const TSecao* s : comCabecalho)
    for (const auto& [lugar, _] : s->Textos) titulos.insert(lugar);
  if (comCabecalho.empty() && cabecalho && !cabecalho->Textos.empty()) {
    size_t maisBaixo = cabecalho->Textos.front().first;
    for (const auto& [lugar, _] : cabecalho->Textos)
      if (FLugares[lugar].Area.Y > FLugares[maisBaixo].Area.Y) maisBaixo = lugar;
    std::set<size_t> linha;
    for (const auto& [lugar, _] : cabecalho->Textos)
      if (MesmaLinha(FLugares[lugar].Area, FLugares[maisBaixo].Area)) linha.insert(lugar);
    if (linha.size() >= kRotulosDeCabecalho) titulos = std::move(linha);
  }

  // The page header's other labels, a line per row of labels, left to right.
  const auto linhasDoTitulo = [&](const TSecao& s) {
    std::vector<std::pair<size_t, std::string>> textos;
    for (const auto& t : s.Textos)
      if (!titulos.count(t.first)) textos.push_back(t);
    std::stable_sort(textos.begin(), textos.end(), [&](const auto& a, const auto& b) {
      return FLugares[a.first].Area.Y < FLugares[b.first].Area.Y;
    });
    std::vector<std::vector<std::pair<size_t, std::string>>> linhas;
    for (auto& t : textos) {
      if (linhas.empty() || !MesmaLinha(FLugares[linhas.back().front().first].Area, FLugares[t.first].Area))
        linhas.emplace_back();
      linhas.back().push_back(std::move(t));
    }
    std::vector<TnCelulaPlanilha> celulas;
    for (auto& linha : linhas) {
      std::stable_sort(linha.begin(), linha.end(), [&](const auto& a, const auto& b) {
        return FLugares[a.first].Area.X < FLugares[b.first].Area.X;
      });
      TnCelulaPlanilha c = Celula(FLugares[linha.front().first], {});
      const TRetangulo* anterior = nullptr;
      for (const auto& [lugar, texto] : linha) {
        const TRetangulo& area = FLugares[lugar].Area;
        if (anterior) c.Texto += area.X - Direita(*anterior) < kEspacoDePalavra ? " " : "   ";
        c.Texto += texto;
        c.TamanhoFonte = std::max(c.TamanhoFonte, FLugares[lugar].TamanhoFonte);
        anterior = &area;
      }
      c.ADireita = false;
      celulas.push_back(std::move(c));
    }
    return celulas;
  };
  if (cabecalho) planilha.Titulo = linhasDoTitulo(*cabecalho);

  // The places of each body section, and the headings as one more.
  constexpr int kTitulos = std::numeric_limits<int>::min();
  std::vector<int> ordem;                        // sections by first print
  std::map<int, std::vector<size_t>> lugares;
  if (!titulos.empty()) {
    ordem.push_back(kTitulos);
    lugares[kTitulos].assign(titulos.begin(), titulos.end());
  }
  for (const auto& s : FSecoes) {
    if (s.Papel != TnPapelSecao::Corpo) continue;
    auto [it, nova] = lugares.try_emplace(s.Numero);
    if (nova) ordem.push_back(s.Numero);
    for (const auto& [lugar, _] : s.Textos)
      if (std::find(it->second.begin(), it->second.end(), lugar) == it->second.end()) it->second.push_back(lugar);
  }
  std::stable_sort(ordem.begin(), ordem.end(),
                   [&](int a, int b) { return lugares[a].size() > lugares[b].size(); });

  std::vector<TColuna> colunas;
  std::map<size_t, size_t> colunaDe;            // place -> column
  for (int secao : ordem) {
    auto& seus = lugares[secao];
    std::stable_sort(seus.begin(), seus.end(),
                     [&](size_t a, size_t b) { return FLugares[a].Area.X < FLugares[b].Area.X; });
    std::set<size_t> usadas;
    double limite = -std::numeric_limits<double>::infinity();  // the columns of this section so far end left of it
    for (size_t lugar : seus) {
      const TnRotuloColocado& r = FLugares[lugar];
      const double esq = r.Area.X, dir = Direita(r.Area);
      const bool aDireita = r.Alinhamento == TAlinhamento::Direita;
      std::optional<size_t> escolhida, sobreposta;
      for (size_t c = 0; c < colunas.size(); ++c) {
        if (usadas.count(c) || colunas[c].Esquerda <= limite) continue;
        const bool borda = aDireita ? std::fabs(dir - colunas[c].Direita) <= kTolerancia
                                    : std::fabs(esq - colunas[c].Esquerda) <= kTolerancia;
        if (borda && !escolhida) escolhida = c;
        const bool sobrepoe = std::min(dir, colunas[c].Direita) > std::max(esq, colunas[c].Esquerda);
        if (sobrepoe && (!sobreposta || (aDireita ? colunas[c].Esquerda > colunas[*sobreposta].Esquerda
                                                  : colunas[c].Esquerda < colunas[*sobreposta].Esquerda)))
          sobreposta = c;
      }
      if (!escolhida) escolhida = sobreposta;
      if (!escolhida) {
        escolhida = colunas.size();
        colunas.push_back({esq, dir});
      }
      usadas.insert(*escolhida);
      limite = std::max(limite, colunas[*escolhida].Esquerda);
      colunaDe[lugar] = *escolhida;
    }
  }

  // Columns left to right.
  std::vector<size_t> porPosicao(colunas.size());
  for (size_t i = 0; i < porPosicao.size(); ++i) porPosicao[i] = i;
  std::stable_sort(porPosicao.begin(), porPosicao.end(),
                   [&](size_t a, size_t b) { return colunas[a].Esquerda < colunas[b].Esquerda; });
  std::vector<size_t> posicao(colunas.size());
  for (size_t i = 0; i < porPosicao.size(); ++i) {
    posicao[porPosicao[i]] = i;
    planilha.Larguras.push_back(colunas[porPosicao[i]].Direita - colunas[porPosicao[i]].Esquerda);
  }
  const auto linhaDe = [&](const std::vector<std::pair<size_t, std::string>>& textos) {
    std::vector<TnCelulaPlanilha> celulas(colunas.size());
    for (const auto& [lugar, texto] : textos) {
      auto& c = celulas[posicao[colunaDe.at(lugar)]];
      c = Celula(FLugares[lugar], c.Texto.empty() ? texto : c.Texto + " " + texto);
    }
    return celulas;
  };

  if (!titulos.empty()) {
    std::vector<std::pair<size_t, std::string>> textos;
    if (comCabecalho.empty()) {
      for (const auto& t : cabecalho->Textos)
        if (titulos.count(t.first)) textos.push_back(t);
    } else {
      for (const TSecao* s : comCabecalho) textos.insert(textos.end(), s->Textos.begin(), s->Textos.end());
    }
    planilha.Cabecalho = linhaDe(textos);
  }
  std::vector<TnCelulaPlanilha> tituloAtual = planilha.Titulo;
  for (const auto& s : FSecoes) {
    if (s.Papel == TnPapelSecao::Cabecalho && s.Numero == TnLayout::kSecaoCabecalho && s.Pagina != primeira) {
      // Only the lines that changed, where the new page started.
      std::vector<TnCelulaPlanilha> titulo = linhasDoTitulo(s);
      for (size_t i = 0; i < titulo.size() && !colunas.empty(); ++i) {
        if (i < tituloAtual.size() && titulo[i].Texto == tituloAtual[i].Texto) continue;
        planilha.Linhas.emplace_back(colunas.size());
        planilha.Linhas.back()[0] = titulo[i];
      }
      tituloAtual = std::move(titulo);
    } else if (s.Papel == TnPapelSecao::Corpo && !s.Textos.empty()) {
      planilha.Linhas.push_back(linhaDe(s.Textos));
    }
  }
  return planilha;
}
