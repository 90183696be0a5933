#include "host/render/arquivo_paginas.h"

#include <cstring>
#include <stdexcept>

namespace {

enum TTag : uint8_t { tTexto, tLinha, tCaixa, tImagem, tGrafico, tFonte };

class TEscrita {
 public:
  explicit TEscrita(std::string& b) : B(b) {}
  template <class T> void Bruto(T v) { B.append(reinterpret_cast<const char*>(&v), sizeof v); }
  void U8(uint8_t v) { B.push_back(static_cast<char>(v)); }
  void F32(double v) { Bruto(static_cast<float>(v)); }
  void Tam(size_t n) {  // variable length: short texts cost one byte
    while (n >= 0x80) { U8(static_cast<uint8_t>(n | 0x80)); n >>= 7; }
    U8(static_cast<uint8_t>(n));
  }
  void Texto(const std::string& s) { Tam(s.size()); B.append(s); }
  void Area(const TRetangulo& r) { F32(r.X); F32(r.Y); F32(r.Largura); F32(r.Altura); }

 private:
  std::string& B;
};

class TLeitura {
 public:
  TLeitura(const char* p, size_t n) : P(p), Fim(p + n) {}
  template <class T> T Bruto() {
    T v;
    Exigir(sizeof v);
    std::memcpy(&v, P, sizeof v);
    P += sizeof v;
    return v;
  }
  bool Acabou() const { return P == Fim; }
  uint8_t U8() { return Bruto<uint8_t>(); }
  double F32() { return Bruto<float>(); }
  size_t Tam() {
    size_t n = 0;
    for (int desloc = 0;; desloc += 7) {
      uint8_t b = U8();
      n |= static_cast<size_t>(b & 0x7F) << desloc;
      if (!(b & 0x80)) return n;
    }
  }
  std::string Texto() {
    size_t n = Tam();
    Exigir(n);
    std::string s(P, n);
    P += n;
    return s;
  }
  TRetangulo Area() {
    TRetangulo r;
    r.X = F32(); r.Y = F32(); r.Largura = F32(); r.Altura = F32();
    return r;
  }

 private:
  void Exigir(size_t n) {
    if (static_cast<size_t>(Fim - P) < n) throw std::runtime_error("Arquivo temporário de páginas corrompido.");
  }
  const char* P;
  const char* Fim;
};

}  // namespace

TArquivoPaginas::TArquivoPaginas() : FArquivo(std::tmpfile()) {
  if (!FArquivo) throw std::runtime_error("Não foi possível criar o arquivo temporário de páginas.");
}

void TArquivoPaginas::Gravar(const TPagina& pagina) {
  FBuffer.clear();
  TEscrita e(FBuffer);
  e.Bruto<int32_t>(pagina.Numero);
  e.F32(pagina.Largura);
  e.F32(pagina.Altura);
  for (const TElemento& el : pagina.Elementos) {
    if (auto* t = std::get_if<TElementoTexto>(&el)) {
      auto chave = std::make_tuple(t->Fonte.Familia, t->Fonte.Tamanho, t->Fonte.Negrito, t->Fonte.Italico);
      auto achou = FIdFontes.find(chave);
      if (achou == FIdFontes.end()) {
        if (FIdFontes.size() >= 0xFFFF) throw std::runtime_error("Fontes demais no relatório.");
        achou = FIdFontes.emplace(chave, static_cast<uint16_t>(FIdFontes.size())).first;
        e.U8(tFonte);
        e.Texto(t->Fonte.Familia);
        e.F32(t->Fonte.Tamanho);
        e.U8(static_cast<uint8_t>(t->Fonte.Negrito | (t->Fonte.Italico << 1)));
      }
      e.U8(tTexto);
      e.Bruto<uint16_t>(achou->second);
      e.Bruto<uint32_t>(t->Fonte.Cor);
      e.U8(static_cast<uint8_t>(static_cast<int>(t->Alinhamento) | (t->MultiLinha << 2) |
                                (t->ComTotalPaginas << 3)));
      e.Area(t->Area);
      e.Texto(t->Texto);
    } else if (auto* l = std::get_if<TElementoLinha>(&el)) {
      e.U8(tLinha);
      e.F32(l->X1); e.F32(l->Y1); e.F32(l->X2); e.F32(l->Y2); e.F32(l->Espessura);
      e.Bruto<uint32_t>(l->Cor);
    } else if (auto* c = std::get_if<TElementoCaixa>(&el)) {
      e.U8(tCaixa);
      e.Area(c->Area);
      e.U8(static_cast<uint8_t>(c->Preenchimento.has_value() | (c->Borda.has_value() << 1)));
      e.Bruto<uint32_t>(c->Preenchimento.value_or(0));
      e.Bruto<uint32_t>(c->Borda.value_or(0));
      e.F32(c->Espessura);
    } else if (auto* im = std::get_if<TElementoImagem>(&el)) {
      uint32_t id = 0;  // 0: no picture
      if (im->Imagem) {
        auto [it, nova] = FIdImagens.emplace(im->Imagem.get(), static_cast<uint32_t>(FImagens.size() + 1));
        if (nova) FImagens.push_back(im->Imagem);
        id = it->second;
      }
      e.U8(tImagem);
      e.Area(im->Area);
      e.Bruto<uint32_t>(id);
      e.U8(im->Moldura);
    } else if (auto* g = std::get_if<TElementoGrafico>(&el)) {
      e.U8(tGrafico);
      e.Area(g->Area);
      e.U8(g->Grafico != nullptr);
      if (g->Grafico) {
        const TDBChart& ch = *g->Grafico;
        e.Texto(ch.Titulo);
        e.Tam(static_cast<size_t>(ch.SeriesCount()));
        for (int i = 0; i < ch.SeriesCount(); ++i) {
          const TChartSeries* s = ch.Series(i);
          e.Texto(s->Title);
          e.Bruto<uint32_t>(s->SeriesColor);
          e.Tam(s->Pontos().size());
          for (const TPontoGrafico& p : s->Pontos()) {
            e.Bruto<double>(p.Valor);
            e.Texto(p.Rotulo);
            e.Bruto<uint32_t>(p.Cor);
          }
        }
        e.Tam(ch.Legenda().size());
        for (const std::string& s : ch.Legenda()) e.Texto(s);
      }
    }
  }
  const uint32_t n = static_cast<uint32_t>(FBuffer.size());
  if (std::fwrite(&n, sizeof n, 1, FArquivo.get()) != 1 ||
      std::fwrite(FBuffer.data(), 1, n, FArquivo.get()) != n)
    throw std::runtime_error("Não foi possível gravar o arquivo temporário de páginas (disco cheio?).");
  ++FQuantidade;
}

void TArquivoPaginas::Rebobinar() {
  if (std::fflush(FArquivo.get()) != 0 || std::fseek(FArquivo.get(), 0, SEEK_SET) != 0)
    throw std::runtime_error("Não foi possível ler o arquivo temporário de páginas.");
}

bool TArquivoPaginas::Ler(TPagina& pagina) {
  uint32_t n = 0;
  if (std::fread(&n, sizeof n, 1, FArquivo.get()) != 1) return false;
  FBuffer.resize(n);
  if (std::fread(FBuffer.data(), 1, n, FArquivo.get()) != n)
    throw std::runtime_error("Arquivo temporário de páginas corrompido.");
  TLeitura r(FBuffer.data(), n);
  pagina.Numero = r.Bruto<int32_t>();
  pagina.Largura = r.F32();
  pagina.Altura = r.F32();
  pagina.Elementos.clear();
  while (!r.Acabou()) {
    switch (r.U8()) {
      case tFonte: {
        TFonte f;
        f.Familia = r.Texto();
        f.Tamanho = r.F32();
        uint8_t estilo = r.U8();
        f.Negrito = estilo & 1;
        f.Italico = estilo & 2;
        FFontes.push_back(std::move(f));
        break;
      }
      case tTexto: {
        TElementoTexto t;
        uint16_t id = r.Bruto<uint16_t>();
        if (id >= FFontes.size()) throw std::runtime_error("Arquivo temporário de páginas corrompido.");
        t.Fonte = FFontes[id];
        t.Fonte.Cor = r.Bruto<uint32_t>();
        uint8_t flags = r.U8();
        t.Alinhamento = static_cast<TAlinhamento>(flags & 3);
        t.MultiLinha = flags & 4;
        t.ComTotalPaginas = flags & 8;
        t.Area = r.Area();
        t.Texto = r.Texto();
        pagina.Elementos.emplace_back(std::move(t));
        break;
      }
      case tLinha: {
        TElementoLinha l;
        l.X1 = r.F32(); l.Y1 = r.F32(); l.X2 = r.F32(); l.Y2 = r.F32(); l.Espessura = r.F32();
        l.Cor = r.Bruto<uint32_t>();
        pagina.Elementos.emplace_back(l);
        break;
      }
      case tCaixa: {
        TElementoCaixa c;
        c.Area = r.Area();
        uint8_t tem = r.U8();
        uint32_t fundo = r.Bruto<uint32_t>(), borda = r.Bruto<uint32_t>();
        if (tem & 1) c.Preenchimento = fundo;
        if (tem & 2) c.Borda = borda;
        c.Espessura = r.F32();
        pagina.Elementos.emplace_back(c);
        break;
      }
      case tImagem: {
        TElementoImagem im;
        im.Area = r.Area();
        uint32_t id = r.Bruto<uint32_t>();
        if (id > FImagens.size()) throw std::runtime_error("Arquivo temporário de páginas corrompido.");
        if (id) im.Imagem = FImagens[id - 1];
        im.Moldura = r.U8();
        pagina.Elementos.emplace_back(std::move(im));
        break;
      }
      case tGrafico: {
        TElementoGrafico g;
        g.Area = r.Area();
        if (r.U8()) {
          auto ch = std::make_shared<TDBChart>();
          ch->RemoveAllSeries();
          ch->Titulo = r.Texto();
          size_t ns = r.Tam();
          for (size_t i = 0; i < ns; ++i) {
            auto s = std::make_unique<TBarSeries>();
            s->Title = r.Texto();
            s->SeriesColor = r.Bruto<uint32_t>();
            size_t np = r.Tam();
            for (size_t j = 0; j < np; ++j) {
              double v = r.Bruto<double>();
              std::string rot = r.Texto();
              s->Add(v, rot, r.Bruto<uint32_t>());
            }
            ch->AddSeries(std::move(s));
          }
          size_t nl = r.Tam();
          for (size_t i = 0; i < nl; ++i) ch->Legenda().push_back(r.Texto());
          g.Grafico = std::move(ch);
        }
        pagina.Elementos.emplace_back(std::move(g));
        break;
      }
      default:
        throw std::runtime_error("Arquivo temporário de páginas corrompido.");
    }
  }
  return true;
}
