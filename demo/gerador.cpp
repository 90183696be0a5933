#include "demo/gerador.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "demo/catalogos.h"
#include "demo/desenhos.h"
#include "demo/documentos.h"
#include "demo/quantias.h"
#include "demo/sorteio.h"
#include "demo/tabelas.h"
#include "host/core/datas.h"
#include "host/data/conexao.h"

namespace demo {

namespace {

struct TUnidadeRateio {
  int Estrutura;
  int64_t Peso;  // area share used to spread costs
};

struct TEmpreendDemo {
  int Codigo;
  std::string Nome;
  int Tipo, FormaRateio;
  int Estoque;  // its site stock
  int Andares;
  TQuatro AreaTotal = 0, AreaUtil = 0;
  std::vector<TUnidadeRateio> Unidades;
};

struct TLinhaOrcamento {
  int Insumo;
  TQuatro Qtd, Unitario;
  TCentavos Total;
};

struct TObraDemo {
  int Codigo;
  size_t Empreend;  // index in the company's developments
  std::string Descr;
  TDateTime Inicio, FimPrev, FimReal;
  double Ritmo;  // actual pace against the plan (1 = on time)
  std::vector<TLinhaOrcamento> Orcamento;

  bool Concluida() const { return FimReal <= DataBase(); }
  // Share of the plan done by day d.
  double Progresso(TDateTime d) const {
    const double p = (d - Inicio) * Ritmo / (FimPrev - Inicio);
    return std::clamp(p, 0.0, 1.0);
  }
  // Day the plan's fraction f is reached.
  TDateTime Quando(double f) const { return std::floor(Inicio + f * (FimPrev - Inicio) / Ritmo); }
  TDateTime Previsto(double f) const { return std::floor(Inicio + f * (FimPrev - Inicio)); }
  double Conclusao(const TFaseDemo& fase) const {
    return std::clamp((Progresso(DataBase()) - fase.Ini) / (fase.Fim - fase.Ini), 0.0, 1.0);
  }
};

struct TSaldo {
  TQuatro Qtd = 0;
  long double Valor = 0;  // reais, as the movements' quantity times unit cost add up
  TQuatro CustoMedio() const {
    return Qtd > 0 ? std::llround(Valor * 10000.0L * 10000.0L / static_cast<long double>(Qtd)) : 0;
  }
};

class TGeradorDemo {
 public:
  TGeradorDemo(TnDMConexao& conexao, int escala) : T(conexao), FEscala(escala), FSorte(20260101) {}

  void Gerar() {
    Cadastros();
    Empresas_();
    Signatarios();
    Fornecedores();
    for (const TEmpresaDemo& e : Empresas()) Empresa(e);
    T.ConfirmarTodas();
  }

 private:
  TTabelas T;
  int FEscala;
  TSorteio FSorte;
  int FProximoEndereco = 1;
  int FProximoContato = 2001;
  int FProximoProprietario = 10001;
  int FEmpreendExtra = 0;  // developments beyond the base ones, across companies
  std::map<int, std::vector<int>> FFornecedoresInsumo;  // input -> suppliers
  std::vector<int> FFornecedores;

  // Per company while it is generated.
  const TEmpresaDemo* FEmpresa = nullptr;
  std::vector<TEmpreendDemo> FEmpreends;
  std::vector<TObraDemo> FObras;
  std::map<std::pair<int, int>, TSaldo> FSaldos;  // (stock, input)
  int FProximoImovel = 0, FProximoMovimento = 0, FProximoRateio = 0, FProximaNota = 0;

  int NovoEndereco(const std::string& rua, const std::string& numero, const std::string& complemento,
                   const std::string& bairro, const std::string& cidade, const std::string& uf, const std::string& cep) {
    const int codigo = FProximoEndereco++;
    T.Endereco({codigo, TextoOuNulo(rua), TextoOuNulo(numero), TextoOuNulo(complemento), TextoOuNulo(bairro),
                TextoOuNulo(cidade), TextoOuNulo(uf), TextoOuNulo(cep)});
    return codigo;
  }

  std::string CepAleatorio(const std::string& uf) {
    const int base = uf == "PR" ? 80000 : 1000 + FSorte.Entre(0, 12000);
    return Digitos(base + FSorte.Entre(0, 2999), 5) + "-" + Digitos(FSorte.Entre(0, 999), 3);
  }

  std::string NomePessoa(int n) {
    const auto& p = PrenomesDemo();
    const auto& s = SobrenomesDemo();
    const size_t a = static_cast<size_t>(n) % p.size();
    const size_t b = (static_cast<size_t>(n) * 7 + 3) % s.size();
    const size_t c = (static_cast<size_t>(n) * 13 + 11) % s.size();
    return std::string(p[a]) + " " + s[b] + (b == c ? "" : std::string(" ") + s[c]);
  }

  void Cadastros() {
    for (const auto& u : UnidadesMedida()) T.UnidadeMedida({u.Codigo, u.Descr, u.Abrev ? TValor(u.Abrev) : TValor()});
    for (const auto& g : Grupos()) T.InsumoGrupo({g.Codigo, g.Classif, g.Descr, g.Tipo});
    for (const auto& i : Insumos())
      T.Insumo({i.Codigo, i.Descr, i.Compl, i.Grupo, CodigoOuNulo(i.Unidade), Grupo(i.Grupo).TipoInsumo,
                Grupo(i.Grupo).ClassifInsumo});
    T.Moeda({1, "Real", "R$"});
    T.Moeda({2, "CUB-SP", "CUB"});
    T.Moeda({3, "Dólar americano", "US$"});
    for (const auto& t : TiposImovel()) T.TipoImovel({t.Codigo, t.Descr});
  }

  void Empresas_() {
    for (const TEmpresaDemo& e : Empresas()) {
      T.Pessoa({e.Codigo, e.Nome, e.Fantasia, "J", Cnpj(e.RaizCnpj, 1), Digitos(e.RaizCnpj * 7 % 1000000000, 9) + "." + Digitos(e.Codigo, 3),
                Digitos(e.RaizCnpj % 9999991, 7), Dia(EncodeDate(2009 + e.Codigo * 3, 3 + e.Codigo, 10))});
      T.Escritorio({e.Codigo, e.Sigla, e.Cor ? TValor(DesenharLogo(e.Sigla, e.Cor)) : TValor(), 1});
      const int end = NovoEndereco(e.Rua, e.Numero, e.Complemento, e.Bairro, e.Cidade, e.Uf, e.Cep);
      T.PessoaEndereco({e.Codigo, end, 1, 1});
      int seq = 1;
      T.Contato({e.Codigo, seq++, 3, e.Fone, "Recepção"});
      if (*e.Fax) T.Contato({e.Codigo, seq++, 5, e.Fax, TValor()});
      T.Contato({e.Codigo, seq++, 8, e.Email, TValor()});
    }
  }

  void Signatarios() {
    T.Pessoa({90, "Marcos Antônio Simões", TValor(), "F", Cpf(318204559), TValor(), TValor(), Dia(EncodeDate(2015, 2, 2))});
    T.Contato({90, 1, 1, "(11) 99612-3040", "Engenheiro responsável - CREA-SP 5061234567"});
    T.Pessoa({91, "Fernanda Lúcia Prado", TValor(), "F", Cpf(227645018), TValor(), TValor(), Dia(EncodeDate(2016, 8, 15))});
    T.Contato({91, 1, 8, "fernanda.prado@contabilprado.com.br", "Contadora - CRC 1SP245781/O-3"});
  }

  void Fornecedor(int codigo, const TFornecedorDemo& f, int indice) {
    T.Pessoa({codigo, f.Nome, f.Fantasia, "J", Cnpj(40000000 + static_cast<int64_t>(indice) * 1234577, 1),
              Digitos(110000000 + indice * 7919, 9), TValor(), Dia(EncodeDate(2018 + indice % 7, 1 + indice % 12, 5 + indice % 20))});
    const auto& bairros = Empresas()[0].Bairros;
    const int end = NovoEndereco(std::string("Rua ") + SobrenomesDemo()[static_cast<size_t>(indice) % SobrenomesDemo().size()],
                                 std::to_string(100 + indice * 37 % 1900), indice % 3 == 0 ? "Galpão " + std::to_string(1 + indice % 4) : "",
                                 bairros[static_cast<size_t>(indice) % bairros.size()], f.Cidade, f.Uf, CepAleatorio(f.Uf));
    T.PessoaEndereco({codigo, end, 1, 1});
    if (indice % 4 == 1) {  // a delivery address besides the default one
      const int entrega = NovoEndereco("Rodovia Anhanguera", "km " + std::to_string(20 + indice), "Depósito", "Distrito Industrial",
                                       f.Cidade, f.Uf, CepAleatorio(f.Uf));
      T.PessoaEndereco({codigo, entrega, 0, 4});
    }
    const std::string ddd = std::string(f.Uf) == "PR" ? "(41)" : "(11)";
    int seq = 1;
    if (f.Fone) T.Contato({codigo, seq++, 3, ddd + " " + std::to_string(3100 + indice * 53 % 800) + "-" + Digitos(1000 + indice * 311 % 9000, 4), "Vendas"});
    if (f.Fone && indice % 3 == 0) T.Contato({codigo, seq++, 1, ddd + " 9" + std::to_string(8100 + indice * 97 % 1800) + "-" + Digitos(indice * 733 % 10000, 4), "Representante"});
    if (f.Fax) T.Contato({codigo, seq++, 5, ddd + " " + std::to_string(3100 + indice * 53 % 800) + "-" + Digitos(1001 + indice * 311 % 9000, 4), TValor()});
    if (f.Email) {
      std::string dominio;
      for (char c : std::string(f.Fantasia))
        if (std::isalnum(static_cast<unsigned char>(c))) dominio += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      T.Contato({codigo, seq++, 8, "vendas@" + dominio + ".com.br", TValor()});
      if (!f.Fone) T.Contato({codigo, seq++, 6, "www." + dominio + ".com.br", TValor()});
    }
    // Contact persons: the one with the smallest code is the one a quotation names.
    const int contatos = f.Fone ? (indice % 5 == 0 ? 2 : 1) : 0;
    for (int k = 0; k < contatos; ++k) {
      const int pessoa = FProximoContato++;
      T.Pessoa({pessoa, NomePessoa(pessoa), TValor(), "F", Cpf(100000000 + static_cast<int64_t>(pessoa) * 7717), TValor(), TValor(), TValor()});
      T.Relacao({codigo, pessoa, 3});
    }
    if (indice % 6 == 2) {  // a partner, not a contact
      const int socio = FProximoContato++;
      T.Pessoa({socio, NomePessoa(socio), TValor(), "F", Cpf(100000000 + static_cast<int64_t>(socio) * 7717), TValor(), TValor(), TValor()});
      T.Relacao({codigo, socio, 1});
    }
    for (int g : f.Grupos)
      for (const auto& i : Insumos())
        if (i.Grupo == g) FFornecedoresInsumo[i.Codigo].push_back(codigo);
    for (int i : f.Insumos) FFornecedoresInsumo[i].push_back(codigo);
    FFornecedores.push_back(codigo);
  }

  void Fornecedores() {
    const auto& base = FornecedoresBase();
    for (size_t i = 0; i < base.size(); ++i) Fornecedor(101 + static_cast<int>(i), base[i], static_cast<int>(i));
    // Larger scales bring more material dealers competing for the same inputs.
    static const std::vector<int> gruposMaterial = {2, 3, 4, 5, 6, 7, 8, 9};
    for (int k = 0; k < 2 * (FEscala - 1); ++k) {
      const int indice = static_cast<int>(base.size()) + k;
      const std::string sobrenome = SobrenomesDemo()[static_cast<size_t>(k) % SobrenomesDemo().size()];
      const std::string nome = "Comercial " + sobrenome + " Materiais de Construção " + std::to_string(k + 1) + " Ltda";
      const std::string fantasia = "Comercial " + sobrenome + " " + std::to_string(k + 1);
      const int g1 = gruposMaterial[static_cast<size_t>(k) % gruposMaterial.size()];
      const int g2 = gruposMaterial[static_cast<size_t>(k * 3 + 1) % gruposMaterial.size()];
      const TFornecedorDemo f{nome.c_str(), fantasia.c_str(), {g1, g2}, {}, "São Paulo", "SP", true, k % 2 == 0, true};
      Fornecedor(101 + indice, f, indice);
    }
  }

  // Supplier of an input for one development: each development keeps its dealers.
  int FornecedorDe(int insumo, int empreendGlobal) {
    const auto& lista = FFornecedoresInsumo.at(insumo);
    return lista[static_cast<size_t>(empreendGlobal + insumo) % lista.size()];
  }

  // ---- one company ----------------------------------------------------------

  void Empresa(const TEmpresaDemo& e) {
    FEmpresa = &e;
    FEmpreends.clear();
    FObras.clear();
    FSaldos.clear();
    FProximoImovel = 1;
    FProximoMovimento = 1;
    FProximoRateio = 1;
    FProximaNota = 1;
    T.Estoque({e.Codigo, 1, "Almoxarifado Central", TValor()});
    const int total = e.Empreendimentos * FEscala;
    for (int j = 0; j < total; ++j) Empreendimento(j);
    for (TObraDemo& o : FObras) {
      ObraFases(o);
      Orcamentos(o);
      Fotos(o);
    }
    Movimentacao();
    Cotacoes();
  }

  int IndiceGlobal(size_t empreend) const {
    return (FEmpresa->Codigo - 1) * 100000 + static_cast<int>(empreend);
  }

  void Empreendimento(int j) {
    const TEmpresaDemo& e = *FEmpresa;
    // The first developments of each company are the fixed ones of the demo;
    // larger scales add more from the list, numbered when the names repeat.
    static const int base[] = {0, 0, 3, 5};  // first model of each company
    size_t modelo;
    std::string nome;
    int extra = -1;
    if (j < e.Empreendimentos) {
      modelo = static_cast<size_t>(base[e.Codigo] + j);
      nome = ModelosEmpreend()[modelo].Nome;
    } else {
      extra = FEmpreendExtra++;
      modelo = 6 + static_cast<size_t>(extra) % 12;
      nome = ModelosEmpreend()[modelo].Nome;
      if (extra >= 12) nome += " " + std::to_string(extra / 12 + 1);
    }
    const TModeloEmpreend& m = ModelosEmpreend()[modelo];
    TEmpreendDemo d;
    d.Codigo = j + 1;
    d.Nome = nome;
    d.Tipo = m.Tipo;
    d.FormaRateio = (m.Tipo == 3 || j % 3 == 2) ? 2 : 1;
    d.Estoque = j + 2;
    d.Andares = m.Tipo == 1 || m.Tipo == 3 ? m.Andares : (m.Tipo == 2 ? 2 : 1);

    const std::string bairro = e.Bairros[static_cast<size_t>(j) % e.Bairros.size()];
    const std::string rua = e.Ruas[static_cast<size_t>(j * 5 + 1) % e.Ruas.size()];
    const std::string numeroPredio = std::to_string(120 + (j * 173) % 1700);
    const int endereco = NovoEndereco(rua, m.Tipo == 4 ? "" : numeroPredio, "", bairro, e.Cidade, e.Uf, CepAleatorio(e.Uf));

    // Timeline: the base developments are spread over 2025 and 2026; the
    // extra ones start between December 2024 and May 2026.
    static const int inicioBase[] = {-1, 1, 7, 14, 4, 12, 10};  // months after January 2025, by base model
    static const int duracaoBase[] = {0, 18, 17, 20, 20, 18, 12};
    TDateTime inicio;
    int duracao;
    if (extra < 0) {
      inicio = IncMonth(EncodeDate(2025, 1, 1), inicioBase[modelo + 1]);
      duracao = duracaoBase[modelo + 1];
    } else {
      inicio = IncMonth(EncodeDate(2024, 12, 1), (extra * 3) % 18);
      duracao = 14 + (extra * 5) % 12;
    }
    T.Empreendimento({e.Codigo, d.Codigo, d.Nome, d.Tipo, d.FormaRateio, endereco, Dia(inicio - 120)});
    T.Estoque({e.Codigo, d.Estoque, "Canteiro - " + d.Nome.substr(0, 48), d.Codigo});

    Unidades(d, m, endereco, numeroPredio);
    FEmpreends.push_back(d);
    const size_t indice = FEmpreends.size() - 1;

    TObraDemo o;
    o.Codigo = static_cast<int>(FObras.size()) + 1;
    o.Empreend = indice;
    o.Descr = (m.Tipo == 4 ? "Infraestrutura - " : "Construção - ") + d.Nome.substr(0, 70);
    o.Inicio = inicio + FSorte.Entre(0, 9);
    o.FimPrev = IncMonth(inicio, duracao) - 1;
    o.Ritmo = j == 0 ? 1.08 : FSorte.Faixa(0.86, 1.02);  // the first works runs ahead of plan
    o.FimReal = o.Quando(1.0);
    FObras.push_back(o);
    if (j == 0) {  // the first development also builds its leisure area
      TObraDemo lazer;
      lazer.Codigo = static_cast<int>(FObras.size()) + 1;
      lazer.Empreend = indice;
      lazer.Descr = "Área de lazer e paisagismo - " + d.Nome.substr(0, 60);
      lazer.Inicio = o.Inicio + 240;
      lazer.FimPrev = lazer.Inicio + 270;
      lazer.Ritmo = 0.9;
      lazer.FimReal = lazer.Quando(1.0);
      FObras.push_back(lazer);
    }
  }

  void Unidades(TEmpreendDemo& d, const TModeloEmpreend& m, int endereco, const std::string& numeroPredio) {
    const TEmpresaDemo& e = *FEmpresa;
    struct TUn {
      int Codigo, Tipo;
      std::string Descr, Unidade, Bloco, Quadra, Lote, Numero, Complemento;
      TQuatro Total, Util, Garagem;
    };
    std::vector<std::vector<TUn>> blocos;  // units by tower (or block of lots)
    const char* letras = "ABCD";
    for (int t = 0; t < m.Torres; ++t) {
      std::vector<TUn> un;
      for (int a = 1; a <= m.Andares; ++a)
        for (int p = 1; p <= m.PorAndar; ++p) {
          TUn u{};
          u.Codigo = FProximoImovel++;
          if (m.Tipo == 1) {
            u.Tipo = (m.Cobertura && a == m.Andares) ? 3 : (p % 2 == 1 ? 1 : 2);
            u.Unidade = std::to_string(a * 100 + p);
            u.Bloco = std::string("Torre ") + letras[t];
            u.Descr = "Apartamento " + u.Unidade + " - " + u.Bloco;
            u.Numero = numeroPredio;
            u.Complemento = "Apto " + u.Unidade + (m.Torres > 1 ? " " + u.Bloco : "");
          } else if (m.Tipo == 3) {
            u.Tipo = a == 1 && p <= 2 ? 5 : 4;
            u.Unidade = (u.Tipo == 5 ? "Loja " + std::to_string(p) : "Sala " + std::to_string(a * 100 + p));
            u.Bloco = "Bloco único";
            u.Descr = u.Unidade;
            u.Numero = numeroPredio;
            u.Complemento = u.Unidade;
          } else if (m.Tipo == 2) {
            u.Tipo = 6;
            u.Unidade = "Casa " + DoisDigitos(p);
            u.Quadra = "A";
            u.Lote = std::to_string(p);
            u.Descr = u.Unidade;
            u.Numero = std::to_string(10 + p * 10);
            u.Complemento = u.Unidade;
          } else {
            u.Tipo = 7;
            u.Quadra = std::string(1, "ABC"[(p - 1) * 3 / m.PorAndar]);
            u.Lote = std::to_string(p);
            u.Unidade = "Quadra " + u.Quadra + " Lote " + DoisDigitos(p);
            u.Descr = "Lote " + DoisDigitos(p) + " - Quadra " + u.Quadra;
            u.Numero = p == 1 ? "" : std::to_string(p * 15);  // the first lot has no number yet
          }
          const TTipoImovelDemo& tp = TiposImovel()[static_cast<size_t>(u.Tipo - 1)];
          u.Total = ParaQuatro(u.Tipo == 7 ? 240.0 + (p * 37) % 121 : tp.Total);
          u.Util = u.Tipo == 7 ? u.Total : ParaQuatro(tp.Util);
          u.Garagem = ParaQuatro(tp.Garagem);
          un.push_back(u);
        }
      blocos.push_back(un);
    }

    for (const auto& b : blocos)
      for (const auto& u : b) {
        d.AreaTotal += u.Total + u.Garagem;
        d.AreaUtil += u.Util;
      }
    // Coefficients: each unit's share of the area, in four decimals adding up to 1.
    std::vector<int64_t> areas;
    for (const auto& b : blocos)
      for (const auto& u : b) areas.push_back(u.Total + u.Garagem);
    const std::vector<int64_t> coef = Repartir(kUm, areas);

    int estrutura = 1;
    T.Estrutura({e.Codigo, d.Codigo, estrutura++, "1", d.Nome, 1, TValor(), Quatro(kUm), Quatro(d.AreaTotal), Quatro(d.AreaUtil)});
    size_t k = 0;
    for (size_t t = 0; t < blocos.size(); ++t) {
      const std::string classifBloco = "1." + std::to_string(t + 1);
      TQuatro totalBloco = 0, utilBloco = 0, coefBloco = 0;
      for (size_t i = 0; i < blocos[t].size(); ++i) {
        totalBloco += blocos[t][i].Total + blocos[t][i].Garagem;
        utilBloco += blocos[t][i].Util;
        coefBloco += coef[k + i];
      }
      const std::string nomeBloco = m.Tipo == 1 ? std::string("Torre ") + letras[t]
                                    : m.Tipo == 2 ? "Casas do condomínio"
                                    : m.Tipo == 3 ? "Edifício comercial"
                                                  : "Lotes";
      T.Estrutura({e.Codigo, d.Codigo, estrutura++, classifBloco, nomeBloco, 1, TValor(), Quatro(coefBloco), Quatro(totalBloco), Quatro(utilBloco)});
      for (size_t i = 0; i < blocos[t].size(); ++i, ++k) {
        const TUn& u = blocos[t][i];
        const bool vendido = FSorte.Chance(60);
        int proprietario = e.Codigo;
        if (vendido) {
          proprietario = FProximoProprietario++;
          T.Pessoa({proprietario, NomePessoa(proprietario), TValor(), "F", Cpf(200000000 + static_cast<int64_t>(proprietario) * 3571),
                    TValor(), TValor(), Dia(EncodeDate(2025, 1 + proprietario % 12, 1 + proprietario % 28))});
        }
        const std::string cadastro = Digitos(e.Codigo * 10 + 1, 3) + "." + Digitos(100 + d.Codigo, 3) + "." +
                                     Digitos(u.Codigo, 4) + "-" + std::to_string(u.Codigo % 10);
        T.Imovel({e.Codigo, u.Codigo, d.Codigo, u.Tipo, u.Descr, u.Unidade, TextoOuNulo(u.Bloco), TextoOuNulo(u.Quadra),
                  TextoOuNulo(u.Lote), endereco, TextoOuNulo(u.Numero), TextoOuNulo(u.Complemento),
                  m.Tipo == 3 ? 2 : 1, cadastro, m.Tipo == 3 ? "ZC-2" : "ZR-" + std::to_string(1 + d.Codigo % 4),
                  Quatro(coef[k]), Quatro(m.Tipo == 2 || m.Tipo == 4 ? ParaQuatro(10.0 + u.Codigo % 6) : ParaQuatro(24.0)),
                  proprietario});
        T.ImovelArea({e.Codigo, u.Codigo, 1, u.Tipo == 7 ? "Área do lote" : "Área privativa", Quatro(u.Total), Quatro(u.Util)});
        if (u.Garagem > 0) T.ImovelArea({e.Codigo, u.Codigo, 2, "Vaga de garagem", Quatro(u.Garagem), Quatro(0)});
        const std::string classif = classifBloco + "." + DoisDigitos(static_cast<int>(i) + 1);
        T.Estrutura({e.Codigo, d.Codigo, estrutura, classif, u.Descr, 2, u.Codigo, Quatro(coef[k]),
                     Quatro(u.Total + u.Garagem), Quatro(u.Util)});
        d.Unidades.push_back({estrutura, d.FormaRateio == 1 ? coef[k] : u.Util});
        ++estrutura;
      }
    }
  }

  // ---- works ---------------------------------------------------------------

  void ObraFases(const TObraDemo& o) {
    const TEmpresaDemo& e = *FEmpresa;
    const TEmpreendDemo& d = FEmpreends[o.Empreend];
    T.Obra({e.Codigo, o.Codigo, o.Descr, d.Codigo, Dia(o.Inicio), Dia(o.FimPrev),
            DiaOuNulo(o.Inicio <= DataBase() ? o.Inicio : 0), DiaOuNulo(o.Concluida() ? o.FimReal : 0)});
    double geral = 0;
    for (const TFaseDemo& f : Fases())
      if (f.Tipo == 1 && f.Codigo != 1) geral += f.Part * std::round(o.Conclusao(f) * 10000) / 100;
    for (const TFaseDemo& f : Fases()) {
      const double conclusao = f.Codigo == 1 ? std::round(geral) / 100 : std::round(o.Conclusao(f) * 10000) / 100;
      const bool iniciada = o.Progresso(DataBase()) > f.Ini;
      const bool terminada = f.Codigo == 1 ? o.Concluida() : conclusao >= 100;
      T.ObraFase({e.Codigo, o.Codigo, f.Codigo, f.Classif, f.Descr, f.Tipo, Dia(o.Previsto(f.Ini)), Dia(o.Previsto(f.Fim)),
                  DiaOuNulo(iniciada ? o.Quando(f.Ini) : 0), DiaOuNulo(terminada ? std::min(o.Quando(f.Fim), DataBase()) : 0),
                  Quatro(ParaQuatro(f.Part)), Quatro(ParaQuatro(conclusao))});
    }
  }

  TQuatro PrecoEm(const TInsumoDemo& i, TDateTime data) const {
    // Prices rise about 0.5 % a month from January 2025.
    const double meses = std::max(0.0, (data - EncodeDate(2025, 1, 1)) / 30.4375);
    return ParaQuatro(i.Preco * (1.0 + 0.005 * meses));
  }

  // Two oddities of company 1 that the works cost analysis shows: works 4's fees
  // are budgeted and allocated without a phase, and works 3's latest revision drops
  // the scaffolding rental it has already been allocated.
  static constexpr int kObraTaxasSemFase = 4, kInsumoTaxas = 54;
  static constexpr int kObraRevisaoSemAndaime = 3, kInsumoAndaime = 49;
  int FaseDoCusto(const TObraDemo& o, int insumo) const {
    const bool semFase = FEmpresa->Codigo == 1 && o.Codigo == kObraTaxasSemFase && insumo == kInsumoTaxas;
    return semFase ? 0 : Insumo(insumo).Fase;
  }
  bool RetiradoDaRevisao(const TObraDemo& o, int insumo, bool ultimaRevisao) const {
    return ultimaRevisao && FEmpresa->Codigo == 1 && o.Codigo == kObraRevisaoSemAndaime && insumo == kInsumoAndaime;
  }

  void Orcamentos(TObraDemo& o) {
    const TEmpresaDemo& e = *FEmpresa;
    const TEmpreendDemo& d = FEmpreends[o.Empreend];
    const bool lazer = o.Codigo == 2 && FEmpreends.size() > 0 && o.Empreend == 0;
    static const std::vector<int> insumosLazer = {1, 2, 10, 22, 33, 36, 37, 47, 51};
    const double fatorTipo[] = {0, 1.0, 0.9, 1.0, 0.15};
    const double area = static_cast<double>(d.AreaTotal) / kUm * (lazer ? 0.06 : fatorTipo[d.Tipo]);
    // The initial budget, then revisions while the works goes on.
    std::vector<TDateTime> datas = {o.Inicio - 45};
    if (o.Inicio + 120 <= DataBase()) datas.push_back(o.Inicio + 120);
    if (o.Inicio + 330 <= DataBase()) datas.push_back(o.Inicio + 330);
    std::vector<TLinhaOrcamento> inicial;
    for (const TInsumoDemo& i : Insumos()) {
      if (lazer ? std::find(insumosLazer.begin(), insumosLazer.end(), i.Codigo) == insumosLazer.end()
                : !(i.Tipos & (1 << d.Tipo)))
        continue;
      double qtd = i.QtdPorM2 * area * FSorte.Faixa(0.95, 1.05);
      qtd = Inteiro(i) || i.Unidade == 9 ? std::max(1.0, std::ceil(qtd)) : std::max(0.01, std::round(qtd * 100) / 100);
      const TQuatro q = ParaQuatro(qtd), u = PrecoEm(i, datas[0]);
      inicial.push_back({i.Codigo, q, u, Multiplicar(q, u)});
    }
    o.Orcamento = inicial;
    static const char* nomes[] = {"Orçamento inicial", "Revisão 1 - reajuste de preços", "Revisão 2 - reprogramação"};
    for (size_t r = 0; r < datas.size(); ++r) {
      std::vector<TLinhaOrcamento> linhas = inicial;
      if (r > 0)
        for (auto& l : linhas) {
          l.Qtd = Inteiro(Insumo(l.Insumo)) ? ParaQuatro(std::ceil(static_cast<double>(l.Qtd) / kUm * FSorte.Faixa(0.97, 1.06)))
                                            : ParaQuatro(std::round(static_cast<double>(l.Qtd) / kUm * FSorte.Faixa(0.97, 1.06) * 100) / 100);
          l.Unitario = PrecoEm(Insumo(l.Insumo), datas[r]);
          l.Total = Multiplicar(l.Qtd, l.Unitario);
        }
      const bool ultimaRevisao = r > 0 && r + 1 == datas.size();
      linhas.erase(std::remove_if(linhas.begin(), linhas.end(),
                                  [&](const TLinhaOrcamento& l) { return RetiradoDaRevisao(o, l.Insumo, ultimaRevisao); }),
                   linhas.end());
      TCentavos total = 0;
      for (const auto& l : linhas) total += l.Total;
      const bool converter = e.Moeda != 1;
      T.Orcamento({e.Codigo, o.Codigo, Dia(datas[r]), nomes[r], e.Moeda, converter ? 1 : 0,
                   Quatro(ParaQuatro(e.Cotacao[r])), Reais(total)});
      int seq = 1;
      for (const auto& l : linhas) {
        const TInsumoDemo& i = Insumo(l.Insumo);
        T.OrcamentoInsumo({e.Codigo, o.Codigo, Dia(datas[r]), seq++, i.Codigo, CodigoOuNulo(i.Unidade),
                           CodigoOuNulo(FaseDoCusto(o, i.Codigo)),
                           Quatro(l.Qtd), Quatro(l.Unitario), Reais(l.Total)});
      }
    }
  }

  void Fotos(const TObraDemo& o) {
    const TEmpresaDemo& e = *FEmpresa;
    // Company 1: the first works has six photos (one unreadable), the leisure
    // area none; company 2's first works five; the others up to four.
    int quantas = 4;
    if (e.Codigo == 1 && o.Codigo == 1) quantas = 6;
    if (e.Codigo == 1 && o.Codigo == 2) quantas = 0;
    if (e.Codigo == 2 && o.Codigo == 1) quantas = 5;
    std::vector<const TFaseDemo*> feitas;
    for (const TFaseDemo& f : Fases())
      if (f.Tipo == 1 && f.Codigo != 1 && o.Conclusao(f) > 0) feitas.push_back(&f);
    if (feitas.empty()) return;
    static const uint32_t cores[] = {0xB0502F, 0x7A7A7A, 0x4F6D8A, 0xC8A165, 0x6B8E23, 0x8E5B9E};
    const int andares = std::max(2, FEmpreends[o.Empreend].Andares);
    for (int k = 0; k < quantas; ++k) {
      const TFaseDemo& f = *feitas[static_cast<size_t>(k) % feitas.size()];
      const double estado = std::min(f.Fim, o.Progresso(DataBase()));  // the building when the phase ended
      std::string png = DesenharFoto(andares, estado, f.Classif, cores[k % 6], k + o.Codigo);
      if (e.Codigo == 1 && o.Codigo == 1 && k == quantas - 1) png = png.substr(0, 60);  // a damaged file
      const TDateTime data = std::min(o.Quando(f.Ini) + 10 + k, DataBase());
      T.Foto({e.Codigo, o.Codigo, f.Codigo, k + 1, Dia(data), std::string("Vista da obra - ") + f.Descr, png});
    }
  }

  // ---- purchases, stock, allocations and payables --------------------------

  TDateTime DiaDoMes(TDateTime mes, int dia) const {
    int a, m, x;
    DecodeDate(mes, a, m, x);
    const TDateTime d = EncodeDate(a, m, std::min(dia, DaysInMonth(a, m)));
    return std::min(d, DataBase());
  }

  int Movimento(int estoque, TDateTime data, int tipo, int insumo, TQuatro qtd, TQuatro unitario, int referencia,
                const std::string& documento, int obra, const std::string& historico) {
    const int codigo = FProximoMovimento++;
    T.Movimento({FEmpresa->Codigo, estoque, codigo, Dia(data), tipo, insumo, Quatro(qtd), Quatro(unitario),
                 CodigoOuNulo(referencia), documento, CodigoOuNulo(obra), historico});
    TSaldo& s = FSaldos[{estoque, insumo}];
    const long double valor = static_cast<long double>(qtd) / kUm * static_cast<long double>(unitario) / kUm;
    if (tipo <= 0) {
      s.Qtd += qtd;
      s.Valor += valor;
    } else {
      s.Qtd -= qtd;
      s.Valor -= valor;
    }
    return codigo;
  }

  // Spreads a cost over the development's units; returns the allocation rows.
  std::vector<std::pair<int, int>> Ratear(const TObraDemo& o, int insumo, TDateTime data, int tipo, TQuatro qtd,
                                          TCentavos valor, int movimento) {
    const TEmpreendDemo& d = FEmpreends[o.Empreend];
    std::vector<int64_t> pesos;
    for (const auto& u : d.Unidades) pesos.push_back(u.Peso);
    const auto qtds = Repartir(qtd, pesos);
    const auto valores = Repartir(valor, pesos);
    std::vector<std::pair<int, int>> linhas;
    for (size_t k = 0; k < d.Unidades.size(); ++k) {
      if (qtds[k] == 0 && valores[k] == 0) continue;
      const int codigo = FProximoRateio++;
      T.Rateio({FEmpresa->Codigo, d.Codigo, d.Unidades[k].Estrutura, codigo, Dia(data), tipo, insumo, d.Estoque,
                CodigoOuNulo(movimento), o.Codigo, CodigoOuNulo(FaseDoCusto(o, insumo)), Quatro(qtds[k]), Reais(valores[k])});
      linhas.push_back({d.Unidades[k].Estrutura, codigo});
    }
    return linhas;
  }

  struct TItemNota {
    int Insumo;
    TQuatro Qtd, Unitario;
    TCentavos Total;
  };

  // Writes an invoice with its items, instalments and payments; returns the
  // invoice code (items are numbered from 1 in the order given).
  int Nota(int fornecedor, TDateTime emissao, const std::vector<TItemNota>& itens, bool servico, int status) {
    const TEmpresaDemo& e = *FEmpresa;
    const int codigo = FProximaNota++;
    TCentavos total = 0;
    for (const auto& i : itens) total += i.Total;
    const TDateTime entrada = std::min(emissao + FSorte.Entre(0, 3), DataBase());
    const bool utilidade = itens.size() == 1 && Insumo(itens[0].Insumo).Grupo == 20;
    int parcelas = 1;
    if (!utilidade) parcelas = total > 6000000 ? FSorte.Entre(3, 4) : total > 1500000 ? FSorte.Entre(2, 3) : FSorte.Entre(1, 2);
    std::vector<TDateTime> vencimentos;
    for (int p = 1; p <= parcelas; ++p)
      vencimentos.push_back(utilidade ? emissao + 7 : servico ? emissao + 15 + 30 * (p - 1) : emissao + 28 * p);
    const int forma = (parcelas == 1 && vencimentos[0] - emissao <= 7) ? 1 : 0;
    const std::string numero = Digitos(1000 + (fornecedor * 7919 + codigo * 31) % 900000, 6);
    T.Nota({e.Codigo, codigo, numero, servico ? "NFS-e" : "NF-e", servico ? "" : "1", fornecedor, Dia(emissao),
            Dia(entrada), Reais(total), parcelas, forma, status, TValor()});
    int seq = 1;
    for (const auto& i : itens) {
      const TInsumoDemo& ins = Insumo(i.Insumo);
      T.NotaItem({e.Codigo, codigo, seq++, i.Insumo, ins.Unidade ? ins.Unidade : 10, Quatro(i.Qtd), Quatro(i.Unitario), Reais(i.Total)});
    }
    const TCentavos valorParcela = total / parcelas;
    for (int p = 1; p <= parcelas; ++p) {
      const TCentavos valor = p < parcelas ? valorParcela : total - valorParcela * (parcelas - 1);
      Parcela(codigo, p, emissao, vencimentos[static_cast<size_t>(p - 1)], valor);
    }
    return codigo;
  }

  // An instalment and what was paid of it by the base date: on time, early
  // with a discount, late with interest and fine, in two payments, in part, or not yet.
  void Parcela(int nota, int numero, TDateTime emissao, TDateTime vencimento, TCentavos valor) {
    struct TPagamento {
      TDateTime Data;
      TCentavos Baixa, Juros, Multa, Desconto;
    };
    std::vector<TPagamento> pagos;
    auto atraso = [&](TDateTime data, TCentavos base) {
      const int dias = static_cast<int>(data - vencimento);
      return dias > 0 ? std::pair<TCentavos, TCentavos>{std::llround(base * 0.00033 * dias), std::llround(base * 0.02)}
                      : std::pair<TCentavos, TCentavos>{0, 0};
    };
    auto pagar = [&](TDateTime data, TCentavos baixa, TCentavos desconto) {
      if (data > DataBase()) return;
      const auto [juros, multa] = atraso(data, baixa);
      pagos.push_back({data, baixa, juros, multa, desconto});
    };
    const int sorte = FSorte.Entre(1, 100);
    if (vencimento > DataBase()) {
      if (sorte <= 6) pagar(vencimento - 10, valor, std::llround(valor * 0.015));
    } else if (sorte <= 50) {
      pagar(vencimento - FSorte.Entre(0, 1), valor, 0);
    } else if (sorte <= 60) {
      pagar(vencimento - FSorte.Entre(2, 5), valor, std::llround(valor * 0.015));
    } else if (sorte <= 75) {
      pagar(vencimento + FSorte.Entre(3, 45), valor, 0);
    } else if (sorte <= 85) {
      const TCentavos primeira = valor / 2;
      pagar(vencimento, primeira, 0);
      pagar(vencimento + FSorte.Entre(10, 25), valor - primeira, 0);
    } else if (sorte <= 93) {
      pagar(vencimento + FSorte.Entre(0, 5), valor * FSorte.Entre(30, 70) / 100, 0);
    }
    TCentavos pago = 0;
    for (const auto& p : pagos) pago += p.Baixa;
    const TCentavos saldo = valor - pago;
    const int situacao = saldo == 0 ? 3 : pago > 0 ? 2 : 1;
    const int escrit = FEmpresa->Codigo;
    T.Parcela({escrit, nota, numero, Dia(emissao), Dia(vencimento), Reais(valor), Reais(saldo), situacao});
    int seq = 1;
    for (const auto& p : pagos)
      T.Baixa({escrit, nota, numero, seq++, Dia(p.Data), Reais(p.Baixa), p.Juros ? Reais(p.Juros) : TValor(),
               p.Multa ? Reais(p.Multa) : TValor(), p.Desconto ? Reais(p.Desconto) : TValor()});
  }

  // Quantity of a budget line the works consumes in a month, by the share of
  // its phase done in that month.
  TQuatro Consumo(const TObraDemo& o, const TLinhaOrcamento& l, TDateTime mes, TDateTime fimMes) {
    const TFaseDemo& f = Fase(Insumo(l.Insumo).Fase);
    const double a = o.Progresso(mes), b = o.Progresso(fimMes + 1);
    const double parte = std::max(0.0, std::min(b, f.Fim) - std::max(a, f.Ini)) / (f.Fim - f.Ini);
    if (parte <= 0) return 0;
    double qtd = static_cast<double>(l.Qtd) / kUm * parte * FSorte.Faixa(0.92, 1.10);
    if (Inteiro(Insumo(l.Insumo)) || Insumo(l.Insumo).Unidade == 9) qtd = std::ceil(qtd - 0.2);
    else qtd = std::round(qtd * 100) / 100;
    return qtd > 0 ? ParaQuatro(qtd) : 0;
  }

  void Movimentacao() {
    TDateTime primeiro = DataBase();
    for (const auto& o : FObras) primeiro = std::min(primeiro, o.Inicio);
    int transferencia = 1, requisicao = 1;
    for (TDateTime mes = StartOfTheMonth(primeiro); mes <= DataBase(); mes = IncMonth(mes, 1)) {
      int a, m, x;
      DecodeDate(mes, a, m, x);
      const TDateTime fimMes = std::min(EncodeDate(a, m, DaysInMonth(a, m)), DataBase());

      // What each works consumes this month: materials from the stocks, the
      // rest bought as services and allocated straight from the invoice.
      std::map<std::pair<size_t, int>, TQuatro> materiais;  // (works, input)
      std::map<std::pair<int, int>, std::vector<std::pair<size_t, TItemNota>>> servicos;  // (supplier, pair of developments)
      for (size_t w = 0; w < FObras.size(); ++w) {
        const TObraDemo& o = FObras[w];
        if (o.Inicio > fimMes || o.Progresso(mes) >= 1.0) continue;
        for (const auto& l : o.Orcamento) {
          const TQuatro q = Consumo(o, l, mes, fimMes);
          if (q <= 0) continue;
          const TInsumoDemo& i = Insumo(l.Insumo);
          if (Material(i)) {
            materiais[{w, i.Codigo}] += q;
          } else {
            const int g = IndiceGlobal(o.Empreend);
            const TQuatro u = ParaQuatro(static_cast<double>(PrecoEm(i, mes)) / kUm * FSorte.Faixa(0.97, 1.04));
            servicos[{FornecedorDe(i.Codigo, g), static_cast<int>(o.Empreend / 2)}].push_back({w, {i.Codigo, q, u, Multiplicar(q, u)}});
          }
        }
      }

      // Purchases at the start of the month: site deliveries go by dealer and
      // pair of developments (one invoice may serve two sites); the central
      // warehouse buys cement, sand, gravel and steel for every site.
      std::map<std::pair<int, int>, std::vector<std::pair<int, TItemNota>>> compras;  // -> (stock, item)
      std::map<std::pair<int, int>, TQuatro> porEstoque;  // (stock, input) needs of the month
      for (const auto& [chave, q] : materiais) {
        const TObraDemo& o = FObras[chave.first];
        porEstoque[{FEmpreends[o.Empreend].Estoque, chave.second}] += q;
      }
      std::map<int, TQuatro> central;
      for (const auto& [chave, q] : porEstoque) {
        const auto [estoque, insumo] = chave;
        const TInsumoDemo& i = Insumo(insumo);
        const TSaldo& s = FSaldos[{estoque, insumo}];
        const TQuatro falta = q - std::max<TQuatro>(0, s.Qtd);
        if (i.Central) {
          central[insumo] += q;
          continue;
        }
        if (falta <= 0) continue;
        double compra = static_cast<double>(falta) / kUm * 1.04;
        compra = Inteiro(i) ? std::ceil(compra) : std::ceil(compra * 100) / 100;
        const TQuatro qc = ParaQuatro(compra);
        const TQuatro u = ParaQuatro(static_cast<double>(PrecoEm(i, mes)) / kUm * FSorte.Faixa(0.96, 1.04));
        const size_t empreend = static_cast<size_t>(estoque - 2);
        compras[{FornecedorDe(insumo, IndiceGlobal(empreend)), static_cast<int>(empreend / 2)}].push_back({estoque, {insumo, qc, u, Multiplicar(qc, u)}});
      }
      for (const auto& [insumo, q] : central) {
        const TInsumoDemo& i = Insumo(insumo);
        const TQuatro falta = q - std::max<TQuatro>(0, FSaldos[{1, insumo}].Qtd);
        if (falta <= 0) continue;
        double compra = static_cast<double>(falta) / kUm * 1.10;
        compra = Inteiro(i) ? std::ceil(compra) : std::ceil(compra * 100) / 100;
        const TQuatro qc = ParaQuatro(compra);
        const TQuatro u = ParaQuatro(static_cast<double>(PrecoEm(i, mes)) / kUm * FSorte.Faixa(0.94, 1.00));
        compras[{FornecedorDe(insumo, 0), -1}].push_back({1, {insumo, qc, u, Multiplicar(qc, u)}});
      }
      for (const auto& [chave, itens] : compras) {
        const TDateTime emissao = DiaDoMes(mes, FSorte.Entre(1, 6));
        std::vector<TItemNota> linhas;
        for (const auto& it : itens) linhas.push_back(it.second);
        const int nota = Nota(chave.first, emissao, linhas, false, 1);
        const TDateTime chegada = std::min(emissao + 1, DataBase());
        int item = 1;
        for (const auto& [estoque, it] : itens) {
          const int mv = Movimento(estoque, chegada, 0, it.Insumo, it.Qtd, it.Unitario, item, "NF-e " + std::to_string(nota), 0,
                                   "Entrada por nota fiscal de compra");
          T.NotaItemMovimento({FEmpresa->Codigo, nota, item, estoque, mv});
          if (FSorte.Chance(3) && chegada + 3 <= DataBase()) {  // part of the delivery sent back
            const TQuatro volta = Inteiro(Insumo(it.Insumo)) ? std::max<TQuatro>(kUm, it.Qtd / 20 / kUm * kUm) : it.Qtd / 20 / 100 * 100;
            if (volta > 0)
              Movimento(estoque, chegada + 3, 3, it.Insumo, volta, FSaldos[{estoque, it.Insumo}].CustoMedio(), item,
                        "NF-e " + std::to_string(nota), 0, "Devolução ao fornecedor - material avariado");
          }
          ++item;
        }
      }

      // Transfers from the central warehouse to the sites.
      for (const auto& [chave, q] : porEstoque) {
        const auto [estoque, insumo] = chave;
        if (!Insumo(insumo).Central) continue;
        const TQuatro envio = std::min(q, FSaldos[{1, insumo}].Qtd);
        if (envio <= 0) continue;
        const TDateTime data = DiaDoMes(mes, 8 + static_cast<int>(insumo % 4));
        const TQuatro custo = FSaldos[{1, insumo}].CustoMedio();
        const std::string doc = "TR-" + Digitos(transferencia, 6);
        Movimento(1, data, 2, insumo, envio, custo, transferencia, doc, 0, "Transferência para " + std::to_string(estoque));
        Movimento(estoque, data, -2, insumo, envio, custo, transferencia, doc, 0, "Transferência do Almoxarifado Central");
        ++transferencia;
      }

      // Issues to the works, allocated over the units, and some returns.
      for (const auto& [chave, q] : materiais) {
        const TObraDemo& o = FObras[chave.first];
        const int estoque = FEmpreends[o.Empreend].Estoque, insumo = chave.second;
        const TQuatro saida = std::min(q, FSaldos[{estoque, insumo}].Qtd);
        if (saida <= 0) continue;
        const TDateTime data = DiaDoMes(mes, 12 + static_cast<int>((insumo + o.Codigo) % 14));
        const TQuatro custo = FSaldos[{estoque, insumo}].CustoMedio();
        const std::string doc = "RM-" + Digitos(requisicao, 6);
        const int mv = Movimento(estoque, data, 1, insumo, saida, custo, requisicao, doc, o.Codigo, "Requisição para a obra");
        Ratear(o, insumo, data, 1, saida, Multiplicar(saida, custo), mv);
        ++requisicao;
        if (FSorte.Chance(8) && data + 5 <= DataBase()) {
          TQuatro volta = saida * FSorte.Entre(3, 8) / 100;
          volta = Inteiro(Insumo(insumo)) ? volta / kUm * kUm : volta / 100 * 100;
          if (volta > 0) {
            const int dv = Movimento(estoque, data + 5, -1, insumo, volta, custo, requisicao - 1, doc, o.Codigo, "Sobra devolvida pela obra");
            Ratear(o, insumo, data + 5, -1, volta, Multiplicar(volta, custo), dv);
          }
        }
      }

      // Inventory count at the central warehouse every quarter.
      if (m % 3 == 0) {
        const TDateTime data = DiaDoMes(mes, 28);
        for (int insumo : {1, 2}) {
          const TSaldo s = FSaldos[{1, insumo}];
          const TQuatro ajuste = insumo == 1 ? std::max(kUm, s.Qtd / 100 / kUm * kUm) : std::max<TQuatro>(5000, s.Qtd / 100 / 100 * 100);
          if (insumo == 1 && s.Qtd < 2 * ajuste) continue;
          Movimento(1, data, insumo == 1 ? 4 : -3, insumo, ajuste, s.CustoMedio(), 0, "INV-" + Digitos(a * 100 + m, 6), 0,
                    insumo == 1 ? "Ajuste de inventário - perda" : "Ajuste de inventário - sobra");
        }
      }

      // Service invoices at the end of the month, allocated to the works.
      for (const auto& [chave, itens] : servicos) {
        const TDateTime emissao = DiaDoMes(mes, 20 + FSorte.Entre(0, 8));
        const bool pendente = emissao > DataBase() - 8 && FSorte.Chance(40);
        std::vector<TItemNota> linhas;
        for (const auto& it : itens) linhas.push_back(it.second);
        const int nota = Nota(chave.first, emissao, linhas, true, pendente ? 0 : 1);
        int item = 1;
        for (const auto& [w, it] : itens) {
          for (const auto& [estrutura, rateio] : Ratear(FObras[w], it.Insumo, emissao, 0, it.Qtd, it.Total, 0))
            T.NotaItemRateio({FEmpresa->Codigo, nota, item, FEmpreends[FObras[w].Empreend].Codigo, estrutura, rateio});
          ++item;
        }
      }
    }
    // A purchase entered on the last days, waiting to be put into stock.
    const TInsumoDemo& cimento = Insumo(1);
    const TQuatro q = ParaQuatro(200), u = PrecoEm(cimento, DataBase());
    Nota(FornecedorDe(1, 0), DataBase() - 2, {{1, q, u, Multiplicar(q, u)}}, false, 2);
  }

  void Cotacoes() {
    const TEmpresaDemo& e = *FEmpresa;
    static const TDateTime datas[] = {EncodeDate(2026, 3, 10), EncodeDate(2026, 9, 5)};
    for (int k = 0; k < 2; ++k) {
      const TObraDemo& o = FObras[static_cast<size_t>(k * 2) % FObras.size()];  // two different building works
      T.Cotacao({e.Codigo, k + 1, Dia(datas[k]), "Cotação de materiais - " + o.Descr.substr(0, 70), o.Codigo});
      int seq = 1;
      for (const auto& l : o.Orcamento) {
        const TInsumoDemo& i = Insumo(l.Insumo);
        if (!Material(i) || (l.Insumo + k) % 3 != 0 || seq > 8) continue;
        double qtd = static_cast<double>(l.Qtd) / kUm * 0.1;
        qtd = Inteiro(i) ? std::max(1.0, std::ceil(qtd)) : std::max(0.01, std::round(qtd * 100) / 100);
        T.CotacaoItem({e.Codigo, k + 1, seq++, i.Codigo, CodigoOuNulo(i.Unidade), Quatro(ParaQuatro(qtd))});
      }
    }
  }
};

}  // namespace

void GerarDadosDemo(TnDMConexao& conexao, int escala) { TGeradorDemo(conexao, escala).Gerar(); }

}  // namespace demo
