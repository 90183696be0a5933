#include "host/report/planilha_relatorio.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

#include "host/core/texto.h"
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


}  // namespace

void TnColetorPlanilha::SecaoColocada(int pagina, int secao, TnPapelSecao papel,
                                      std::vector<TnRotuloColocado>&& rotulos) {
  if (papel == TnPapelSecao::Rodape) return;
  TSecao s{pagina, secao, papel, {}};
  for (auto& r : rotulos) {
    if (Trim(r.Texto).empty()) continue;  // blanks that only hold a place
    const TChave chave{r.Rotulo, r.Area.X, r.Area.Y, r.Area.Largura, r.Area.Altura, r.Alinhamento};
    auto [it, novo] = FIndice.try_emplace(chave, FLugares.size());
    if (novo) {
      FLugares.push_back(r);
      FLugares.back().Texto.clear();
    }
    s.Textos.push_back({it->second, std::move(r.Texto), r.Negrito, r.TamanhoFonte});
  }
  FSecoes.push_back(std::move(s));
}

TnPlanilha TnColetorPlanilha::Montar(const std::string& nome) const {
  const auto celula = [&](const TTexto& t) {
    return TnCelulaPlanilha{t.Texto, t.Negrito, t.TamanhoFonte, FLugares[t.Lugar].Alinhamento == TAlinhamento::Direita};
  };
  TnPlanilha planilha;
  planilha.Nome = nome;
  if (FSecoes.empty()) return planilha;

  // Labels by rows: a row per run of labels whose heights overlap, each left to right.
  const auto emLinhas = [&](std::vector<TTexto> textos) {
    std::stable_sort(textos.begin(), textos.end(), [&](const TTexto& a, const TTexto& b) {
      return FLugares[a.Lugar].Area.Y < FLugares[b.Lugar].Area.Y;
    });
    std::vector<std::vector<TTexto>> linhas;
    for (auto& t : textos) {
      if (linhas.empty() || !MesmaLinha(FLugares[linhas.back().front().Lugar].Area, FLugares[t.Lugar].Area))
        linhas.emplace_back();
      linhas.back().push_back(std::move(t));
    }
    for (auto& linha : linhas)
      std::stable_sort(linha.begin(), linha.end(), [&](const TTexto& a, const TTexto& b) {
        return FLugares[a.Lugar].Area.X < FLugares[b.Lugar].Area.X;
      });
    return linhas;
  };

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
    for (const auto& t : s->Textos) titulos.insert(t.Lugar);
  if (comCabecalho.empty() && cabecalho) {
    // The lowest row whose labels mostly line up with the body's: the captions of its columns.
    std::set<size_t> corpo;
    for (const auto& s : FSecoes)
      if (s.Papel == TnPapelSecao::Corpo)
        for (const auto& t : s.Textos) corpo.insert(t.Lugar);
    const auto alinhado = [&](const TTexto& t) {
      const TRetangulo& a = FLugares[t.Lugar].Area;
      return std::any_of(corpo.begin(), corpo.end(), [&](size_t c) {
        const TRetangulo& b = FLugares[c].Area;
        return std::fabs(a.X - b.X) <= kTolerancia || std::fabs(Direita(a) - Direita(b)) <= kTolerancia;
      });
    };
    const auto linhas = emLinhas(cabecalho->Textos);
    for (auto l = linhas.rbegin(); l != linhas.rend() && titulos.empty(); ++l) {
      const auto alinhados = static_cast<size_t>(std::count_if(l->begin(), l->end(), alinhado));
      if (alinhados >= kRotulosDeCabecalho && 2 * alinhados >= l->size())
        for (const TTexto& t : *l) titulos.insert(t.Lugar);
    }
  }

  // The page header's other labels, a line per row of labels.
  const auto linhasDoTitulo = [&](const TSecao& s) {
    std::vector<TTexto> textos;
    for (const auto& t : s.Textos)
      if (!titulos.count(t.Lugar)) textos.push_back(t);
    const auto linhas = emLinhas(std::move(textos));
    std::vector<TnCelulaPlanilha> celulas;
    for (const auto& linha : linhas) {
      TnCelulaPlanilha c = celula(linha.front());
      c.Texto.clear();
      c.ADireita = false;
      const TRetangulo* anterior = nullptr;
      for (const TTexto& t : linha) {
        const TRetangulo& area = FLugares[t.Lugar].Area;
        if (anterior) c.Texto += area.X - Direita(*anterior) < kEspacoDePalavra ? " " : "   ";
        c.Texto += t.Texto;
        c.TamanhoFonte = std::max(c.TamanhoFonte, t.TamanhoFonte);
        anterior = &area;
      }
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
    for (const auto& t : s.Textos)
      if (std::find(it->second.begin(), it->second.end(), t.Lugar) == it->second.end()) it->second.push_back(t.Lugar);
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
  const auto linhaDe = [&](const std::vector<TTexto>& textos) {
    std::vector<TnCelulaPlanilha> celulas(colunas.size());
    for (const TTexto& t : textos) {
      auto& c = celulas[posicao[colunaDe.at(t.Lugar)]];
      const std::string antes = c.Texto;
      c = celula(t);
      if (!antes.empty()) c.Texto = antes + " " + t.Texto;
    }
    return celulas;
  };

  if (!titulos.empty()) {
    std::vector<TTexto> textos;
    if (comCabecalho.empty()) {
      for (const auto& t : cabecalho->Textos)
        if (titulos.count(t.Lugar)) textos.push_back(t);
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
