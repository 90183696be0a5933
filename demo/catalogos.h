#pragma once
// What the demo database is made of: input groups and inputs with their budget
// ratios and prices, works phases, units, property types, development models,
// the group's companies, suppliers and the names people get.
#include <cstdint>
#include <vector>

namespace demo {

struct TGrupoDemo {
  int Codigo;
  const char* Classif;
  const char* Descr;
  int Tipo;           // 1 summary, 2 analytic
  int TipoInsumo;     // kind of its inputs
  int ClassifInsumo;  // classification of its inputs
};

const std::vector<TGrupoDemo>& Grupos();  // the input groups, by code from 1
const TGrupoDemo& Grupo(int codigo);      // the group of that code

struct TInsumoDemo {
  int Codigo;
  const char* Descr;
  const char* Compl;
  int Grupo;
  int Unidade;      // 0: none
  int Fase;         // works phase its cost belongs to
  double QtdPorM2;  // budgeted quantity per m² of the development
  double Preco;     // reference unit price, in reais
  bool Central;     // bought by the central warehouse and sent to the sites
  int Tipos;        // development kinds it serves: bit (1 << kind)
};

constexpr int kV = 1 << 1, kH = 1 << 2, kC = 1 << 3, kL = 1 << 4, kTodos = kV | kH | kC | kL;

const std::vector<TInsumoDemo>& Insumos();  // the inputs, by code from 1
const TInsumoDemo& Insumo(int codigo);      // the input of that code
bool Material(const TInsumoDemo& i);        // its group is one of materials
bool Inteiro(const TInsumoDemo& i);         // counted in whole units (bags, cans, pieces, sheets, sets)

struct TFaseDemo {
  int Codigo;
  const char* Classif;
  const char* Descr;
  int Tipo;
  double Part;       // per cent of the works, or of the parent phase for a sub-phase
  double Ini, Fim;   // window in the plan, as fractions of the works' duration
};

const std::vector<TFaseDemo>& Fases();  // the works phases, by code from 1
const TFaseDemo& Fase(int codigo);      // the phase of that code

struct TUnidadeMedidaDemo {
  int Codigo;
  const char* Descr;
  const char* Abrev;
};

const std::vector<TUnidadeMedidaDemo>& UnidadesMedida();  // units of measure

struct TTipoImovelDemo {
  int Codigo;
  const char* Descr;
  double Total, Util, Garagem;  // m²: private area, usable area, garage area
};

const std::vector<TTipoImovelDemo>& TiposImovel();  // property types

// Development kinds: 1 apartment building, 2 gated houses, 3 commercial, 4 land subdivision.
struct TModeloEmpreend {
  const char* Nome;
  int Tipo;
  int Torres, Andares, PorAndar;  // buildings; houses or lots in PorAndar
  bool Cobertura;
};

const std::vector<TModeloEmpreend>& ModelosEmpreend();  // the companies' developments, then those larger scales add

struct TEmpresaDemo {
  int Codigo;
  const char* Nome;
  const char* Fantasia;
  const char* Sigla;
  int64_t RaizCnpj;
  const char* Rua;
  const char* Numero;
  const char* Complemento;
  const char* Bairro;
  const char* Cidade;
  const char* Uf;
  const char* Cep;
  const char* Fone;
  const char* Fax;
  const char* Email;
  uint32_t Cor;  // 0: no logo
  int Empreendimentos;
  std::vector<const char*> Bairros;
  std::vector<const char*> Ruas;
  int Moeda;
  double Cotacao[3];  // budget currency rate, initial budget and revisions
};

const std::vector<TEmpresaDemo>& Empresas();  // the group's companies

struct TFornecedorDemo {
  const char* Nome;
  const char* Fantasia;
  std::vector<int> Grupos;   // analytic input groups it sells
  std::vector<int> Insumos;  // specific inputs (utilities, specialists)
  const char* Cidade;
  const char* Uf;
  bool Fone, Fax, Email;
};

const std::vector<TFornecedorDemo>& FornecedoresBase();  // the suppliers at scale 1

// Names people are made of.
const std::vector<const char*>& PrenomesDemo();
const std::vector<const char*>& SobrenomesDemo();

}  // namespace demo
