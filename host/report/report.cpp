#include "host/report/report.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <typeinfo>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/interrupcao.h"
#include "host/report/base_dll.h"

namespace {

constexpr double kAlturaRodapePadrao = 18;     // standard footer: a rule, print date and page count
constexpr double kFonteRodape = 7;
constexpr TColor kCinzaRodape = 0x606060;
constexpr TColor kCorZebra = 0xF3F0EC;         // light stripe behind alternate rows (BGR)
constexpr int kLarguraBarraProgresso = 30;

// Addresses of live report objects, so a foreign pointer is recognised without touching it.
std::set<const void*>& RelatoriosVivos() {
  static std::set<const void*> vivos;
  return vivos;
}

}  // namespace

TnrwReport::TnrwReport(std::unique_ptr<TnLayout> layout) : FLayout(std::move(layout)) {
  for (auto& item : FLayout->Parametros) FParams.Adicionar(std::move(item));
  FLayout->Parametros.clear();
  FDataImpressao = FormatDateTime("dd/mm/yyyy hh:nn", Now());
  RelatoriosVivos().insert(this);
}

TnrwReport::~TnrwReport() { RelatoriosVivos().erase(this); }

bool TnrwReport::EhRelatorio(const void* endereco) {
  return endereco && RelatoriosVivos().count(endereco) > 0;
}

// ---- objects and sections -------------------------------------------------

TnpqObjeto* TnrwReport::ObjetoPorNome(const std::string& nome) const {
  for (const auto& obj : FLayout->Objetos)
    if (obj->Nome == nome) return obj.get();
  throw Exception("Elemento '" + nome + "' não existe no layout '" + FLayout->Arquivo + "'.");
}

template <class T>
static T* ComoTipo(TnpqObjeto* obj, const char* tipo, const std::string& arquivo) {
  if (auto* t = dynamic_cast<T*>(obj)) return t;
  throw Exception("Elemento '" + obj->Nome + "' do layout '" + arquivo + "' não é " + tipo + ".");
}

TnpqLabel* TnrwReport::LabelByName(const std::string& nome) {
  return ComoTipo<TnpqLabel>(ObjetoPorNome(nome), "um rótulo", FLayout->Arquivo);
}

TnpqLabel* TnrwReport::FindLabel(const std::string& nome) const {
  for (const auto& obj : FLayout->Objetos)
    if (obj->Nome == nome) return dynamic_cast<TnpqLabel*>(obj.get());
  return nullptr;
}

void TnrwReport::RegistrarConsulta(const std::string& sql, int linhas) {
  if (FRastroAtivo) FRastro.Consultas.push_back({sql, linhas});
}

TnpqImage* TnrwReport::ImageByName(const std::string& nome) {
  return ComoTipo<TnpqImage>(ObjetoPorNome(nome), "uma imagem", FLayout->Arquivo);
}

TnpqGrafico* TnrwReport::GraficoByName(const std::string& nome) {
  return ComoTipo<TnpqGrafico>(ObjetoPorNome(nome), "um gráfico", FLayout->Arquivo);
}

int TnrwReport::GetObjectCount() const { return static_cast<int>(FLayout->Objetos.size()); }

TnpqObjeto* TnrwReport::GetObjects(int i) {
  if (i < 0 || i >= GetObjectCount())
    throw Exception("Objeto " + std::to_string(i) + " não existe no layout '" + FLayout->Arquivo + "'.");
  return FLayout->Objetos[static_cast<size_t>(i)].get();
}

TnpqSection* TnrwReport::SecaoOuNulo(int numero) const {
  for (const auto& s : FLayout->Secoes)
    if (s->Numero == numero) return s.get();
  return nullptr;
}

TnpqSection* TnrwReport::GetSections(int numero) {
  if (auto* s = SecaoOuNulo(numero)) return s;
  throw Exception("Seção " + std::to_string(numero) + " não existe no layout '" + FLayout->Arquivo + "'.");
}

void TnrwReport::CompileSections() {
  double topo = FLayout->Pagina.MargemTopo;
  for (auto& s : FLayout->Secoes) {
    s->Top = topo;
    if (s->PosicaoPendente() >= 0) s->SetHeight(std::max(0.0, s->PosicaoPendente() - topo));
    topo = s->GetPosition();
  }
}

double TnrwReport::AlturaEfetiva(const TnpqSection& secao) const {
  double altura = secao.GetHeight();
  if (!AjusteAutomatico) return altura;
  for (const auto& obj : FLayout->Objetos)
    if (obj->Secao == secao.Numero && obj->Visible) altura = std::max(altura, obj->Top + obj->Height);
  return altura;
}

// ---- page geometry ----------------------------------------------------------

double TnrwReport::FundoImprimivel() const {
  const TnpqSection* rodape = SecaoOuNulo(TnLayout::kSecaoRodape);
  const double altura = rodape ? rodape->GetHeight() : kAlturaRodapePadrao;
  return FLayout->Pagina.Altura - FLayout->Pagina.MargemBase - altura;
}

double TnrwReport::PosicaoAtual() const {
  if (FPagina) return FY;
  const TnpqSection* cabecalho = SecaoOuNulo(TnLayout::kSecaoCabecalho);
  return FLayout->Pagina.MargemTopo + (cabecalho ? cabecalho->GetHeight() : 0);
}

// ---- printing -----------------------------------------------------------------

void TnrwReport::Preparar() {
  if (FPreparado) return;
  FPreparado = true;
  if (!FObjetos.empty()) {
    TnDMReport dm(this);
    FObjetos.back()->RepInterno(&dm);
  }
}

void TnrwReport::DispararEvento(TnEventoSecao& evento, int secao) {
  if (evento) (evento.FAlvo->*evento.FMetodo)(this, secao);
}

void TnrwReport::RepEndOfPage(bool fim) {
  if (fim) FQuebraPendente = true;
}

void TnrwReport::RepPrintSection(int numero) {
  TnInterrupcao::Verificar();  // a long report stops between sections when asked to
  Preparar();
  TnpqSection* secao = GetSections(numero);
  FZebrarProxima = false;
  if (!FObjetos.empty()) FObjetos.back()->DoZebradoBeforeSection(this, numero);
  const bool zebrar = FZebrarProxima;  // the page header printed below must not reset it
  DispararEvento(OnBeforeSection, numero);

  const double altura = AlturaEfetiva(*secao);
  const bool noCabecalho = FProfundidadeCabecalho > 0;
  const bool manterFaixa = FManterFaixa && !noCabecalho;
  if (!noCabecalho) FManterFaixa = false;
  if (!noCabecalho) {
    // A break asked for on a page that holds only its header starts no extra page.
    if (FQuebraPendente && !FCorpoNaPagina && FPagina) FQuebraPendente = false;
    const bool naoCabe = FPagina && FCorpoNaPagina && FY + altura > FundoImprimivel();
    if (!FPagina || FQuebraPendente || naoCabe) {
      if (FPagina) FecharPagina();
      AbrirPagina();
    }
  }
  if (zebrar && !manterFaixa) FZebraEscura = !FZebraEscura;
  ColocarSecao(*secao, FY, altura, zebrar && FZebraEscura, noCabecalho ? TnPapelSecao::Cabecalho : TnPapelSecao::Corpo);
  FY += altura;
  if (!noCabecalho) FCorpoNaPagina = true;
  DispararEvento(OnAfterSection, numero);
}

void TnrwReport::AbrirPagina() {
  FPagina = std::make_unique<TPagina>();
  FPagina->Numero = ++FPaginas;
  FPagina->Largura = FLayout->Pagina.Largura;
  FPagina->Altura = FLayout->Pagina.Altura;
  FY = FLayout->Pagina.MargemTopo;
  FCorpoNaPagina = false;
  FQuebraPendente = false;
  FZebraEscura = false;
  if (SecaoOuNulo(TnLayout::kSecaoCabecalho)) {
    ++FProfundidadeCabecalho;
    try {
      RepPrintSection(TnLayout::kSecaoCabecalho);
    } catch (...) {
      --FProfundidadeCabecalho;
      throw;
    }
    --FProfundidadeCabecalho;
  }
}

void TnrwReport::FecharPagina() {
  ColocarRodape();
  if (FDestino) FDestino->AdicionarPagina(std::move(*FPagina));
  FPagina.reset();
}

void TnrwReport::ColocarRodape() {
  const auto& pg = FLayout->Pagina;
  if (TnpqSection* rodape = SecaoOuNulo(TnLayout::kSecaoRodape)) {
    ColocarSecao(*rodape, pg.Altura - pg.MargemBase - rodape->GetHeight(), rodape->GetHeight(), false,
                 TnPapelSecao::Rodape);
    return;
  }
  const double y = pg.Altura - pg.MargemBase - kAlturaRodapePadrao;
  const double largura = pg.Largura - pg.MargemEsquerda - pg.MargemDireita;
  FPagina->Elementos.push_back(TElementoLinha{pg.MargemEsquerda, y + 2, pg.MargemEsquerda + largura, y + 2, 0.5,
                                              kCinzaRodape});
  TFonte fonte;
  fonte.Tamanho = kFonteRodape;
  fonte.Cor = kCinzaRodape;
  TElementoTexto data{{pg.MargemEsquerda, y + 4, largura / 2, kAlturaRodapePadrao - 4},
                      "Impresso em " + FDataImpressao, fonte, TAlinhamento::Esquerda, false, false};
  FPagina->Elementos.push_back(std::move(data));
  if (CabecalhoMostraPagina()) return;
  TElementoTexto pagina{{pg.MargemEsquerda + largura / 2, y + 4, largura / 2, kAlturaRodapePadrao - 4},
                        "Página " + std::to_string(FPagina->Numero) + " de " + kMarcaTotalPaginas, fonte,
                        TAlinhamento::Direita, false, true};
  FPagina->Elementos.push_back(std::move(pagina));
}

bool TnrwReport::CabecalhoMostraPagina() const {
  for (const auto& objeto : FLayout->Objetos) {
    const auto* rotulo = dynamic_cast<const TnpqLabel*>(objeto.get());
    if (rotulo && rotulo->Secao == TnLayout::kSecaoCabecalho && rotulo->Visible && rotulo->Sistema == TnSistema::Pagina)
      return true;
  }
  return false;
}

std::string TnrwReport::TextoRotulo(const TnpqLabel& rotulo) const {
  switch (rotulo.Sistema) {
    case TnSistema::Pagina:
      return "Página " + std::to_string(FPagina ? FPagina->Numero : FPaginas) + " de " + kMarcaTotalPaginas;
    case TnSistema::DataImpressao: return FDataImpressao;
    case TnSistema::Nenhum: break;
  }
  return rotulo.Valor.empty() ? rotulo.Texto : FParams.GetValues(rotulo.Valor);
}

void TnrwReport::ColocarSecao(TnpqSection& secao, double y, double altura, bool faixaEscura, TnPapelSecao papel) {
  const auto& pg = FLayout->Pagina;
  const double x0 = pg.MargemEsquerda;
  auto& elementos = FPagina->Elementos;
  if (faixaEscura)
    elementos.push_back(TElementoCaixa{{x0, y, pg.Largura - pg.MargemEsquerda - pg.MargemDireita, altura},
                                       kCorZebra, std::nullopt, 0});
  TnSecaoImpressa* impressa = nullptr;
  if (FRastroAtivo) {
    FRastro.Secoes.push_back({FPagina->Numero, secao.Numero, {}});
    impressa = &FRastro.Secoes.back();
  }
  std::vector<TnRotuloColocado> colocados;
  for (const auto& obj : FLayout->Objetos) {
    if (obj->Secao != secao.Numero || !obj->Visible) continue;
    const TRetangulo area{x0 + obj->Left, y + obj->Top, obj->Width, obj->Height};
    if (auto* rotulo = dynamic_cast<const TnpqLabel*>(obj.get())) {
      std::string texto = TextoRotulo(*rotulo);
      if (impressa && !rotulo->Valor.empty()) impressa->Valores.emplace_back(rotulo->Valor, texto);
      if (texto.empty()) continue;
      if (FObservador && rotulo->Sistema == TnSistema::Nenhum)
        colocados.push_back({rotulo, {obj->Left, obj->Top, obj->Width, obj->Height}, rotulo->Fonte.Negrito,
                             rotulo->Fonte.Tamanho, rotulo->Alinhamento, texto});
      const bool comTotal = rotulo->Sistema == TnSistema::Pagina;
      elementos.push_back(TElementoTexto{area, std::move(texto), rotulo->Fonte, rotulo->Alinhamento,
                                         rotulo->MultiLinha, comTotal});
    } else if (auto* imagem = dynamic_cast<const TnpqImage*>(obj.get())) {
      elementos.push_back(TElementoImagem{area, imagem->Imagem(), imagem->Moldura});
    } else if (auto* grafico = dynamic_cast<TnpqGrafico*>(obj.get())) {
      elementos.push_back(TElementoGrafico{area, std::shared_ptr<const TDBChart>(grafico->Chart()->Copia())});
    } else if (auto* forma = dynamic_cast<const TnpqForma*>(obj.get())) {
      if (forma->Linha)
        elementos.push_back(TElementoLinha{area.X, area.Y, area.X + area.Largura, area.Y, forma->Espessura,
                                           forma->CorBorda});
      else
        elementos.push_back(TElementoCaixa{area, forma->Preenchimento, forma->CorBorda, forma->Espessura});
    }
  }
  if (FObservador) FObservador->SecaoColocada(FPagina->Numero, secao.Numero, papel, std::move(colocados));
}

int TnrwReport::Finalizar() {
  if (FPagina) FecharPagina();
  FRastro.Paginas = FPaginas;
  FRastro.Quadros = FProgressHost.Quadros();
  FRastro.UltimoProgresso = FUltimoPar;
  if (FDestino && FPaginas > 0) FDestino->Finalizar(FPaginas);
  return FPaginas;
}

void TnrwReport::CSLShowProgress(int feito, int total) {
  FUltimoPar = {feito, total};
  if (total <= 0 || !isatty(STDERR_FILENO)) return;
  const int pct = static_cast<int>(std::clamp(100LL * feito / total, 0LL, 100LL));
  if (pct == FUltimoProgresso) return;
  FUltimoProgresso = pct;
  const int cheios = pct * kLarguraBarraProgresso / 100;
  std::fprintf(stderr, "\rImprimindo [%s%s] %3d%%", std::string(static_cast<size_t>(cheios), '#').c_str(),
               std::string(static_cast<size_t>(kLarguraBarraProgresso - cheios), '.').c_str(), pct);
  if (pct == 100) std::fputc('\n', stderr);
}

// ---- report-class objects and their handlers --------------------------------

void TnrwReport::VincularObjeto(TnrwBaseDll* objeto) { FObjetos.push_back(objeto); }

void TnrwReport::DesvincularObjeto(TnrwBaseDll* objeto) {
  FObjetos.erase(std::remove(FObjetos.begin(), FObjetos.end(), objeto), FObjetos.end());
  const auto vivo = [&](TnrwBaseDll* o) { return std::find(FObjetos.begin(), FObjetos.end(), o) != FObjetos.end(); };
  for (TnEventoSecao* evento : {&OnAfterSection, &OnBeforeSection}) {
    if (evento->FAlvoAnterior == objeto) evento->FAlvoAnterior = nullptr;
    if (evento->FAlvo != objeto) continue;
    // Give the handler back to the form object that installed it, if it still lives.
    TnrwBaseDll* anterior = evento->FAlvoAnterior;
    evento->FAlvoAnterior = nullptr;
    if (anterior && vivo(anterior))
      evento->FAlvo = anterior;
    else
      *evento = TnEventoSecao();
  }
}

void TnrwReport::AdotarEventos(TnrwBaseDll* objeto) {
  for (TnEventoSecao* evento : {&OnAfterSection, &OnBeforeSection}) {
    if (!evento->FAlvo || evento->FAlvo == objeto) continue;
    if (typeid(*evento->FAlvo) != typeid(*objeto)) continue;
    evento->FAlvoAnterior = evento->FAlvo;
    evento->FAlvo = objeto;
  }
}
