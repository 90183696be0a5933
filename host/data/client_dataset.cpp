#include "host/data/client_dataset.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <unordered_map>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/field_mapper.h"

namespace {

struct TDefCampo {
  std::string Nome, NomeMaiusculo;
  TFieldType Tipo;
  int Tamanho;
  bool Obrigatorio;
};

// One typed vector per column: integers, reals (numbers and dates) or texts.
struct TColuna {
  TFieldType Tipo;
  std::vector<int64_t> I;
  std::vector<double> R;
  std::vector<std::string> S;
  std::vector<uint8_t> Nulo;
};

enum class TArmazem { Inteiro, Real, Texto };

TArmazem ArmazemDe(TFieldType t) {
  switch (t) {
    case ftInteger:
    case ftLargeint: return TArmazem::Inteiro;
    case ftFloat:
    case ftDate:
    case ftDateTime: return TArmazem::Real;
    default: return TArmazem::Texto;
  }
}

// A key value already converted to the column it is compared with.
struct TChaveConv {
  bool Nulo = false;
  bool Real = false;  // an integer column compared with a fractional value
  int64_t I = 0;
  double R = 0;
  std::string S;
};

std::runtime_error ErroCampoNaoEncontrado(const std::string& nome) {
  return std::runtime_error("Campo '" + nome + "' não encontrado no conjunto de dados.");
}

}  // namespace

struct TnClientDataSet::TDados {
  std::vector<TDefCampo> Defs;
  std::vector<TColuna> Colunas;
  uint32_t Linhas = 0;
  std::vector<uint32_t> Ordem;       // physical rows in index order
  size_t Ini = 0, Fim = 0;           // the view: Ordem[Ini, Fim)
  std::vector<int> ColunasIndice;
  std::vector<TValor> Buffer;        // pending row in edit or insert state
  std::vector<TValor> RangeIni, RangeFim;
  std::unordered_map<std::type_index, std::unique_ptr<TnMapperBase>> Mappers;

  int Comparar(uint32_t a, uint32_t b) const {
    for (int c : ColunasIndice) {
      const TColuna& col = Colunas[static_cast<size_t>(c)];
      bool na = col.Nulo[a], nb = col.Nulo[b];
      if (na || nb) {
        if (na && nb) continue;
        return na ? -1 : 1;
      }
      switch (ArmazemDe(col.Tipo)) {
        case TArmazem::Inteiro:
          if (col.I[a] != col.I[b]) return col.I[a] < col.I[b] ? -1 : 1;
          break;
        case TArmazem::Real:
          if (col.R[a] != col.R[b]) return col.R[a] < col.R[b] ? -1 : 1;
          break;
        case TArmazem::Texto:
          if (int r = col.S[a].compare(col.S[b]); r != 0) return r < 0 ? -1 : 1;
          break;
      }
    }
    return 0;
  }

  std::vector<TChaveConv> Converter(const std::vector<TValor>& chave) const {
    if (ColunasIndice.empty()) throw std::runtime_error("Defina os campos do índice antes de usar chave ou faixa.");
    if (chave.size() > ColunasIndice.size())
      throw std::runtime_error("A chave tem " + std::to_string(chave.size()) + " valores, mas o índice tem " +
                               std::to_string(ColunasIndice.size()) + " campos.");
    std::vector<TChaveConv> conv(chave.size());
    for (size_t k = 0; k < chave.size(); ++k) {
      const TValor& v = chave[k];
      TChaveConv& c = conv[k];
      TFieldType tipo = Colunas[static_cast<size_t>(ColunasIndice[k])].Tipo;
      if (v.IsNull()) {
        c.Nulo = true;
        continue;
      }
      switch (ArmazemDe(tipo)) {
        case TArmazem::Inteiro:
          if (v.Tipo() == TValor::TTipo::Real) {
            c.Real = true;
            c.R = v.AsFloat();
          } else {
            c.I = v.AsInteger();
          }
          break;
        case TArmazem::Real: c.R = tipo == ftFloat ? v.AsFloat() : v.AsDateTime(); break;
        case TArmazem::Texto: c.S = v.AsString(); break;
      }
    }
    return conv;
  }

  // Row against the leading index fields that the key covers.
  int CompararChave(uint32_t linha, const std::vector<TChaveConv>& chave) const {
    for (size_t k = 0; k < chave.size(); ++k) {
      const TColuna& col = Colunas[static_cast<size_t>(ColunasIndice[k])];
      const TChaveConv& c = chave[k];
      bool nl = col.Nulo[linha];
      if (nl || c.Nulo) {
        if (nl && c.Nulo) continue;
        return nl ? -1 : 1;
      }
      switch (ArmazemDe(col.Tipo)) {
        case TArmazem::Inteiro:
          if (c.Real) {
            double v = static_cast<double>(col.I[linha]);
            if (v != c.R) return v < c.R ? -1 : 1;
          } else if (col.I[linha] != c.I) {
            return col.I[linha] < c.I ? -1 : 1;
          }
          break;
        case TArmazem::Real:
          if (col.R[linha] != c.R) return col.R[linha] < c.R ? -1 : 1;
          break;
        case TArmazem::Texto:
          if (int r = col.S[linha].compare(c.S); r != 0) return r < 0 ? -1 : 1;
          break;
      }
    }
    return 0;
  }

  size_t LimiteInferior(size_t ini, size_t fim, const std::vector<TChaveConv>& chave) const {
    return static_cast<size_t>(std::partition_point(Ordem.begin() + static_cast<ptrdiff_t>(ini),
                                                    Ordem.begin() + static_cast<ptrdiff_t>(fim),
                                                    [&](uint32_t l) { return CompararChave(l, chave) < 0; }) -
                               Ordem.begin());
  }
  size_t LimiteSuperior(size_t ini, size_t fim, const std::vector<TChaveConv>& chave) const {
    return static_cast<size_t>(std::partition_point(Ordem.begin() + static_cast<ptrdiff_t>(ini),
                                                    Ordem.begin() + static_cast<ptrdiff_t>(fim),
                                                    [&](uint32_t l) { return CompararChave(l, chave) <= 0; }) -
                               Ordem.begin());
  }

  TValor Ler(int c, uint32_t linha) const {
    const TColuna& col = Colunas[static_cast<size_t>(c)];
    if (col.Nulo[linha]) return {};
    switch (col.Tipo) {
      case ftInteger:
      case ftLargeint: return TValor(col.I[linha]);
      case ftFloat: return TValor(col.R[linha]);
      case ftDate: return TValor::Data(col.R[linha]);
      case ftDateTime: return TValor::DataHora(col.R[linha]);
      default: return TValor(col.S[linha]);
    }
  }

  void Gravar(int c, uint32_t linha, const TValor& v) {
    TColuna& col = Colunas[static_cast<size_t>(c)];
    col.Nulo[linha] = v.IsNull();
    switch (ArmazemDe(col.Tipo)) {
      case TArmazem::Inteiro: col.I[linha] = v.IsNull() ? 0 : v.AsInteger(); break;
      case TArmazem::Real: col.R[linha] = v.IsNull() ? 0 : v.AsFloat(); break;
      case TArmazem::Texto: col.S[linha] = v.IsNull() ? std::string() : v.AsString(); break;
    }
  }

  void NovaLinha() {
    for (auto& col : Colunas) {
      switch (ArmazemDe(col.Tipo)) {
        case TArmazem::Inteiro: col.I.push_back(0); break;
        case TArmazem::Real: col.R.push_back(0); break;
        case TArmazem::Texto: col.S.emplace_back(); break;
      }
      col.Nulo.push_back(1);
    }
    ++Linhas;
  }
};

// ---------------------------------------------------------------- TField

bool TField::IsNull() const { return FDataSet->LerValor(FIndice).IsNull(); }
std::string TField::AsString() const { return FDataSet->LerValor(FIndice).AsString(); }
std::string TField::AsBytes() const { return FDataSet->LerValor(FIndice).AsString(); }
double TField::AsFloat() const { return FDataSet->LerValor(FIndice).AsFloat(); }
TDateTime TField::AsDateTime() const { return FDataSet->LerValor(FIndice).AsDateTime(); }
TValor TField::Value() const { return FDataSet->LerValor(FIndice); }

int64_t TField::AsLargeInt() const {
  TValor v = FDataSet->LerValor(FIndice);
  if (v.Tipo() == TValor::TTipo::Real) {
    double r = std::round(v.AsFloat());
    if (!(r >= -9.2e18 && r <= 9.2e18))
      throw std::out_of_range("O valor do campo '" + FNome + "' não cabe em um inteiro.");
    return static_cast<int64_t>(r);
  }
  return v.AsInteger();
}

int TField::AsInteger() const {
  int64_t v = AsLargeInt();
  if (v < INT32_MIN || v > INT32_MAX)
    throw std::out_of_range("O valor do campo '" + FNome + "' não cabe em um inteiro de 32 bits.");
  return static_cast<int>(v);
}

void TField::SetValue(const TValor& v) { FDataSet->GravarValor(FIndice, v); }
void TField::SetAsString(const std::string& v) { SetValue(TValor(v)); }
void TField::SetAsFloat(double v) { SetValue(TValor(v)); }
void TField::SetAsInteger(int64_t v) { SetValue(TValor(v)); }
void TField::SetAsDateTime(TDateTime v) { SetValue(TValor::DataHora(v)); }
void TField::Clear() { SetValue(TValor()); }

// ---------------------------------------------------------------- dataset

TnClientDataSet::TnClientDataSet() : FDados(std::make_unique<TDados>()) {}
TnClientDataSet::~TnClientDataSet() = default;

void TnClientDataSet::VerificarAtivo() const {
  if (!Active()) throw std::runtime_error("O conjunto de dados não está aberto.");
}

void TnClientDataSet::AddFieldDef(const std::string& nome, TFieldType tipo, int tamanho, bool obrigatorio) {
  if (Active()) throw std::runtime_error("A estrutura do conjunto de dados já foi criada.");
  std::string unico = nome;
  // Joins may repeat a column name; the repeats get "_1", "_2", ... as usual.
  for (int n = 1;; ++n) {
    bool existe = std::any_of(FDados->Defs.begin(), FDados->Defs.end(),
                              [&](const TDefCampo& d) { return SameText(d.Nome, unico); });
    if (!existe) break;
    unico = nome + "_" + std::to_string(n);
  }
  FDados->Defs.push_back({unico, UpperCase(unico), tipo, tamanho, obrigatorio});
}

void TnClientDataSet::CreateDataSet() {
  if (Active()) throw std::runtime_error("A estrutura do conjunto de dados já foi criada.");
  FCampos.clear();
  FDados->Colunas.clear();
  int i = 0;
  for (const auto& d : FDados->Defs) {
    FCampos.emplace_back(new TField(this, d.Nome, d.Tipo, d.Tamanho, d.Obrigatorio, i++));
    FDados->Colunas.push_back({d.Tipo, {}, {}, {}, {}});
  }
  FEstado = TDataSetState::dsBrowse;
  if (!FNomesIndice.empty()) SetIndexFieldNames(FNomesIndice);
  AplicarRange();
  First();
}

TField* TnClientDataSet::Fields(int i) const {
  if (i < 0 || i >= FieldCount())
    throw std::out_of_range("Campo de índice " + std::to_string(i) + " não existe no conjunto de dados.");
  return FCampos[static_cast<size_t>(i)].get();
}

TField* TnClientDataSet::FindField(const std::string& nome) const {
  std::string alvo = UpperCase(Trim(nome));
  for (size_t i = 0; i < FCampos.size(); ++i)
    if (FDados->Defs[i].NomeMaiusculo == alvo) return FCampos[i].get();
  return nullptr;
}

TField* TnClientDataSet::FieldByName(const std::string& nome) const {
  if (TField* f = FindField(nome)) return f;
  throw ErroCampoNaoEncontrado(nome);
}

int TnClientDataSet::RecordCount() const { return static_cast<int>(FDados->Fim - FDados->Ini); }

int TnClientDataSet::RecNo() const { return IsEmpty() || FPos < 0 ? 0 : FPos + 1; }

int TnClientDataSet::LinhaAtual() const {
  if (FPos < 0 || FPos >= RecordCount()) return -1;
  return static_cast<int>(FDados->Ordem[FDados->Ini + static_cast<size_t>(FPos)]);
}

TValor TnClientDataSet::LerValor(int coluna) const {
  if (FEstado == TDataSetState::dsEdit || FEstado == TDataSetState::dsInsert)
    return FDados->Buffer[static_cast<size_t>(coluna)];
  int linha = LinhaAtual();
  if (linha < 0) return {};
  return FDados->Ler(coluna, static_cast<uint32_t>(linha));
}

void TnClientDataSet::GravarValor(int coluna, TValor v) {
  if (FEstado != TDataSetState::dsEdit && FEstado != TDataSetState::dsInsert)
    throw std::runtime_error("O conjunto de dados não está em edição ou inserção.");
  const TDefCampo& def = FDados->Defs[static_cast<size_t>(coluna)];
  TValor convertido;
  if (!v.IsNull()) {
    switch (def.Tipo) {
      case ftString:
      case ftBlob: {
        std::string t = v.AsString();
        if (def.Tipo == ftString && def.Tamanho > 0) t = CortarUtf8(t, def.Tamanho);
        convertido = TValor(std::move(t));
        break;
      }
      case ftInteger:
      case ftLargeint: {
        int64_t i = v.Tipo() == TValor::TTipo::Real ? std::llround(v.AsFloat()) : v.AsInteger();
        if (def.Tipo == ftInteger && (i < INT32_MIN || i > INT32_MAX))
          throw std::out_of_range("O valor " + std::to_string(i) + " não cabe no campo '" + def.Nome + "'.");
        convertido = TValor(i);
        break;
      }
      case ftFloat: convertido = TValor(v.AsFloat()); break;
      case ftDate: convertido = TValor::Data(std::trunc(v.AsDateTime())); break;
      case ftDateTime: convertido = TValor::DataHora(v.AsDateTime()); break;
    }
  }
  FDados->Buffer[static_cast<size_t>(coluna)] = std::move(convertido);
}

// ---- cursor: a pending edit is posted before moving, as users of these datasets expect

void TnClientDataSet::First() {
  if (Active() && FEstado != TDataSetState::dsBrowse) Post();
  FPos = IsEmpty() ? -1 : 0;
  FBof = true;
  FEof = IsEmpty();
}

void TnClientDataSet::Last() {
  if (Active() && FEstado != TDataSetState::dsBrowse) Post();
  FPos = IsEmpty() ? -1 : RecordCount() - 1;
  FEof = true;
  FBof = IsEmpty();
}

void TnClientDataSet::Next() {
  if (Active() && FEstado != TDataSetState::dsBrowse) Post();
  if (FPos + 1 < RecordCount()) {
    ++FPos;
    FBof = FEof = false;
  } else {
    FEof = true;
    FBof = IsEmpty();
  }
}

void TnClientDataSet::Prior() {
  if (Active() && FEstado != TDataSetState::dsBrowse) Post();
  if (FPos > 0) {
    --FPos;
    FBof = FEof = false;
  } else {
    FBof = true;
    FEof = IsEmpty();
  }
}

void TnClientDataSet::SetRecNo(int n) {
  if (Active() && FEstado != TDataSetState::dsBrowse) Post();
  if (n < 1 || n > RecordCount()) return;
  FPos = n - 1;
  FBof = FEof = false;
}

// ---- editing

void TnClientDataSet::Append() {
  VerificarAtivo();
  if (FEstado != TDataSetState::dsBrowse) Post();
  FDados->Buffer.assign(FCampos.size(), TValor());
  FEstado = TDataSetState::dsInsert;
}

void TnClientDataSet::Edit() {
  VerificarAtivo();
  if (FEstado != TDataSetState::dsBrowse) return;
  int linha = LinhaAtual();
  if (linha < 0) throw std::runtime_error("O conjunto de dados está vazio.");
  FDados->Buffer.clear();
  for (int c = 0; c < FieldCount(); ++c) FDados->Buffer.push_back(FDados->Ler(c, static_cast<uint32_t>(linha)));
  FEstado = TDataSetState::dsEdit;
}

void TnClientDataSet::Cancel() {
  if (FEstado == TDataSetState::dsEdit || FEstado == TDataSetState::dsInsert) FEstado = TDataSetState::dsBrowse;
  FDados->Buffer.clear();
}

void TnClientDataSet::Post() {
  if (FEstado != TDataSetState::dsEdit && FEstado != TDataSetState::dsInsert)
    throw std::runtime_error("O conjunto de dados não está em edição ou inserção.");
  auto& d = *FDados;
  for (size_t c = 0; c < FCampos.size(); ++c)
    if (d.Defs[c].Obrigatorio && d.Buffer[c].IsNull())
      throw std::runtime_error("Campo '" + d.Defs[c].Nome + "' deve ter um valor.");
  const bool inserindo = FEstado == TDataSetState::dsInsert;
  uint32_t linha;
  size_t atual = 0;  // the edited row's place in the index order
  if (inserindo) {
    d.NovaLinha();
    linha = d.Linhas - 1;
  } else {
    linha = static_cast<uint32_t>(LinhaAtual());
    atual = d.Ini + static_cast<size_t>(FPos);
  }
  for (size_t c = 0; c < FCampos.size(); ++c) d.Gravar(static_cast<int>(c), linha, d.Buffer[c]);
  d.Buffer.clear();
  FEstado = TDataSetState::dsBrowse;
  // The index order is (key, physical row): equal keys keep physical order,
  // exactly where a full stable sort would put the row.
  auto antes = [&](uint32_t a, uint32_t b) {
    int c = d.Comparar(a, b);
    return c < 0 || (c == 0 && a < b);
  };
  size_t pos;
  if (!inserindo && (d.ColunasIndice.empty() ||
                     ((atual == 0 || antes(d.Ordem[atual - 1], linha)) &&
                      (atual + 1 == d.Ordem.size() || antes(linha, d.Ordem[atual + 1]))))) {
    pos = atual;  // still in order (always, without an index): the row stays where it is
  } else {
    if (!inserindo) d.Ordem.erase(d.Ordem.begin() + static_cast<ptrdiff_t>(atual));
    pos = d.ColunasIndice.empty()
              ? d.Ordem.size()
              : static_cast<size_t>(std::partition_point(d.Ordem.begin(), d.Ordem.end(),
                                                         [&](uint32_t l) { return antes(l, linha); }) -
                                    d.Ordem.begin());
    d.Ordem.insert(d.Ordem.begin() + static_cast<ptrdiff_t>(pos), linha);
  }
  ReposicionarEm(pos);
}

void TnClientDataSet::ReposicionarEm(size_t posicao) {
  auto& d = *FDados;
  AplicarRange();
  if (posicao >= d.Ini && posicao < d.Fim) {
    FPos = static_cast<int>(posicao - d.Ini);
    FBof = FEof = false;
  } else {
    // The row left the range: stay at the nearest row still in view.
    FPos = std::min(FPos, RecordCount() - 1);
    if (FPos < 0 && !IsEmpty()) FPos = 0;
    FBof = FEof = IsEmpty();
  }
}

void TnClientDataSet::EmptyDataSet() {
  VerificarAtivo();
  Cancel();
  auto& d = *FDados;
  for (auto& col : d.Colunas) {
    col.I.clear();
    col.R.clear();
    col.S.clear();
    col.Nulo.clear();
  }
  d.Linhas = 0;
  d.Ordem.clear();
  AplicarRange();
  First();
}

// ---- index, keys and ranges

void TnClientDataSet::Ordenar() {
  auto& d = *FDados;
  d.Ordem.resize(d.Linhas);
  std::iota(d.Ordem.begin(), d.Ordem.end(), 0u);
  if (!d.ColunasIndice.empty())
    std::stable_sort(d.Ordem.begin(), d.Ordem.end(), [&](uint32_t a, uint32_t b) { return d.Comparar(a, b) < 0; });
}

void TnClientDataSet::SetIndexFieldNames(const std::string& nomes) {
  auto& d = *FDados;
  if (!Active()) {  // kept and applied when the dataset opens
    FNomesIndice = nomes;
    return;
  }
  if (FEstado != TDataSetState::dsBrowse) Post();
  std::vector<int> colunas;
  for (const auto& nome : StrToStrArray(nomes, ";"))
    if (!Trim(nome).empty()) colunas.push_back(FieldByName(nome)->Index());
  int atual = LinhaAtual();
  FNomesIndice = nomes;
  d.ColunasIndice = std::move(colunas);
  FRangeAtivo = false;
  Ordenar();
  AplicarRange();
  if (atual >= 0) {
    // Once per re-sort, so a plain search is cheap next to the sort itself.
    auto it = std::find(d.Ordem.begin(), d.Ordem.end(), static_cast<uint32_t>(atual));
    ReposicionarEm(static_cast<size_t>(it - d.Ordem.begin()));
  } else {
    First();
  }
}

void TnClientDataSet::AplicarRange() {
  auto& d = *FDados;
  if (!FRangeAtivo) {
    d.Ini = 0;
    d.Fim = d.Ordem.size();
    return;
  }
  auto ini = d.Converter(d.RangeIni), fim = d.Converter(d.RangeFim);
  d.Ini = d.LimiteInferior(0, d.Ordem.size(), ini);
  d.Fim = std::max(d.Ini, d.LimiteSuperior(d.Ini, d.Ordem.size(), fim));
}

bool TnClientDataSet::FindKey(const std::vector<TValor>& chave) {
  VerificarAtivo();
  if (FEstado != TDataSetState::dsBrowse) Post();
  auto& d = *FDados;
  auto conv = d.Converter(chave);
  size_t pos = d.LimiteInferior(d.Ini, d.Fim, conv);
  if (pos == d.Fim || d.CompararChave(d.Ordem[pos], conv) != 0) return false;
  FPos = static_cast<int>(pos - d.Ini);
  FBof = FEof = false;
  return true;
}

void TnClientDataSet::SetRange(const std::vector<TValor>& inicio, const std::vector<TValor>& fim) {
  VerificarAtivo();
  if (FEstado != TDataSetState::dsBrowse) Post();
  auto& d = *FDados;
  d.Converter(inicio);  // reports a bad key before anything changes
  d.Converter(fim);
  d.RangeIni = inicio;
  d.RangeFim = fim;
  FRangeAtivo = true;
  AplicarRange();
  First();
}

void TnClientDataSet::CancelRange() {
  if (!FRangeAtivo) return;
  if (FEstado != TDataSetState::dsBrowse) Post();
  size_t absoluta = FDados->Ini + static_cast<size_t>(std::max(FPos, 0));
  bool tinhaLinha = FPos >= 0;
  FRangeAtivo = false;
  AplicarRange();
  if (tinhaLinha) {
    FPos = static_cast<int>(absoluta);
    FBof = FEof = false;
  } else {
    First();
  }
}

// ---- mapper cache

TnMapperBase* TnClientDataSet::MapperEmCache(std::type_index tipo) const {
  auto it = FDados->Mappers.find(tipo);
  return it == FDados->Mappers.end() ? nullptr : it->second.get();
}

TnMapperBase* TnClientDataSet::GuardarMapper(std::type_index tipo, std::unique_ptr<TnMapperBase> m) {
  auto& destino = FDados->Mappers[tipo];
  destino = std::move(m);
  return destino.get();
}

// ---- bulk load

void TnClientDataSet::IniciarCarga(size_t linhasPrevistas) {
  VerificarAtivo();
  for (auto& col : FDados->Colunas) {
    switch (ArmazemDe(col.Tipo)) {
      case TArmazem::Inteiro: col.I.reserve(linhasPrevistas); break;
      case TArmazem::Real: col.R.reserve(linhasPrevistas); break;
      case TArmazem::Texto: col.S.reserve(linhasPrevistas); break;
    }
    col.Nulo.reserve(linhasPrevistas);
  }
}

void TnClientDataSet::CarregarNulo(int coluna) {
  TColuna& col = FDados->Colunas[static_cast<size_t>(coluna)];
  switch (ArmazemDe(col.Tipo)) {
    case TArmazem::Inteiro: col.I.push_back(0); break;
    case TArmazem::Real: col.R.push_back(0); break;
    case TArmazem::Texto: col.S.emplace_back(); break;
  }
  col.Nulo.push_back(1);
}

void TnClientDataSet::CarregarInteiro(int coluna, int64_t v) {
  TColuna& col = FDados->Colunas[static_cast<size_t>(coluna)];
  col.I.push_back(v);
  col.Nulo.push_back(0);
}

void TnClientDataSet::CarregarReal(int coluna, double v) {
  TColuna& col = FDados->Colunas[static_cast<size_t>(coluna)];
  col.R.push_back(v);
  col.Nulo.push_back(0);
}

void TnClientDataSet::CarregarTexto(int coluna, std::string_view v) {
  TColuna& col = FDados->Colunas[static_cast<size_t>(coluna)];
  col.S.emplace_back(v);
  col.Nulo.push_back(0);
}

void TnClientDataSet::FecharLinha() { ++FDados->Linhas; }

void TnClientDataSet::TerminarCarga() {
  Ordenar();
  FRangeAtivo = false;
  AplicarRange();
  First();
}

void TnClientDataSet::TrocarDados(TnClientDataSet&& novo) {
  auto& d = *FDados;
  auto& n = *novo.FDados;
  bool mesmaForma = d.Defs.size() == n.Defs.size();
  for (size_t i = 0; mesmaForma && i < d.Defs.size(); ++i)
    mesmaForma = d.Defs[i].NomeMaiusculo == n.Defs[i].NomeMaiusculo && d.Defs[i].Tipo == n.Defs[i].Tipo;
  if (!mesmaForma) {
    // Other columns: the fields and the mapper objects bound to them go.
    d.Mappers.clear();
    FCampos = std::move(novo.FCampos);
    for (auto& f : FCampos) f->FDataSet = this;
    d.Defs = std::move(n.Defs);
  }
  d.Colunas = std::move(n.Colunas);
  d.Linhas = n.Linhas;
  d.Buffer.clear();
  FEstado = TDataSetState::dsBrowse;
  std::vector<int> colunas;
  for (const auto& nome : StrToStrArray(FNomesIndice, ";"))
    if (TField* f = FindField(nome)) colunas.push_back(f->Index());
  d.ColunasIndice = std::move(colunas);
  TerminarCarga();
}
