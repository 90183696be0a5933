#include "demo/catalogos.h"

#include <cstddef>

namespace demo {

const std::vector<TGrupoDemo>& Grupos() {
  static const std::vector<TGrupoDemo> g = {
      {1, "01", "Materiais", 1, 1, 1},
      {2, "01.01", "Aglomerantes e agregados", 2, 1, 1},
      {3, "01.02", "Aço e ferragens", 2, 1, 1},
      {4, "01.03", "Blocos e tijolos", 2, 1, 1},
      {5, "01.04", "Madeiras", 2, 1, 1},
      {6, "01.05", "Materiais hidráulicos", 2, 1, 1},
      {7, "01.06", "Materiais elétricos", 2, 1, 1},
      {8, "01.07", "Revestimentos e acabamentos", 2, 1, 1},
      {9, "01.08", "Esquadrias, vidros e ferragens", 2, 1, 1},
      {10, "01.09", "Concreto usinado", 2, 1, 1},
      {11, "02", "Mão de obra", 1, 2, 1},
      {12, "02.01", "Empreitadas", 2, 2, 1},
      {13, "02.02", "Mão de obra própria", 2, 2, 1},
      {14, "03", "Serviços", 1, 3, 1},
      {15, "03.01", "Serviços técnicos", 2, 3, 1},
      {16, "03.02", "Serviços terceirizados", 2, 3, 1},
      {17, "04", "Equipamentos", 1, 4, 2},
      {18, "04.01", "Locação de equipamentos", 2, 4, 2},
      {19, "05", "Despesas", 1, 5, 3},
      {20, "05.01", "Despesas do canteiro", 2, 5, 3},
      {21, "05.02", "Despesas diversas", 2, 5, 3},
  };
  return g;
}

const TGrupoDemo& Grupo(int codigo) { return Grupos()[static_cast<size_t>(codigo - 1)]; }

const std::vector<TInsumoDemo>& Insumos() {
  static const std::vector<TInsumoDemo> i = {
      {1, "Cimento Portland CP II-E-32", "Saco de 50 kg", 2, 6, 8, 0.90, 34.90, true, kV | kH | kC},
      {2, "Areia média lavada", "Granulometria 0,6 a 2,0 mm", 2, 4, 8, 0.12, 128.00, true, kV | kH | kC},
      {3, "Brita nº 1", "Pedra britada 9,5 a 19 mm", 2, 4, 5, 0.08, 142.50, true, kTodos},
      {4, "Cal hidratada CH-III", "Saco de 20 kg", 2, 6, 14, 0.25, 18.70, false, kV | kH | kC},
      {5, "Argamassa colante AC-II", "Saco de 20 kg", 2, 6, 14, 0.35, 27.40, false, kV | kH | kC},
      {6, "Vergalhão CA-50 10,0 mm", "Barra de 12 m", 3, 5, 8, 18.0, 7.85, true, kV | kH | kC},
      {7, "Vergalhão CA-50 8,0 mm", "Barra de 12 m", 3, 5, 8, 9.0, 8.10, true, kV | kH | kC},
      {8, "Arame recozido nº 18", "Rolo de 1 kg", 3, 5, 8, 0.30, 16.90, false, kV | kH | kC},
      {9, "Tela soldada Q-138", "Painel 2,45 x 6,00 m", 3, 3, 5, 0.40, 22.60, false, kV | kH | kC},
      {10, "Bloco cerâmico de vedação 14x19x29 cm", "Nove furos", 4, 1, 11, 14.0, 1.95, false, kV | kH | kC},
      {11, "Bloco de concreto estrutural 14x19x39 cm", "Classe A", 4, 1, 11, 4.0, 3.80, false, kV | kC},
      {12, "Tábua de pinus 2,5 x 30 cm", "Bruta", 5, 2, 8, 1.10, 9.40, false, kV | kH | kC},
      {13, "Chapa de compensado resinado 17 mm", "2,20 x 1,10 m", 5, 11, 8, 0.12, 96.00, false, kV | kC},
      {14, "Tubo de PVC para esgoto 100 mm", "Barra de 6 m", 6, 2, 13, 0.50, 28.50, false, kTodos},
      {15, "Tubo de PVC soldável 25 mm", "Barra de 6 m", 6, 2, 13, 1.20, 6.90, false, kTodos},
      {16, "Registro de gaveta 3/4\"", "Bruto, metal", 6, 1, 13, 0.05, 74.00, false, kV | kH | kC},
      {17, "Caixa d'água de polietileno 1.000 L", "Com tampa", 6, 1, 13, 0.006, 489.00, false, kV | kH | kC},
      {18, "Cabo flexível 2,5 mm²", "750 V, rolo de 100 m", 7, 2, 12, 6.0, 2.35, false, kTodos},
      {19, "Eletroduto corrugado 3/4\"", "Rolo de 50 m", 7, 2, 12, 3.0, 1.80, false, kTodos},
      {20, "Disjuntor termomagnético 20 A", "Monopolar, curva C", 7, 1, 12, 0.08, 21.50, false, kV | kH | kC},
      {21, "Quadro de distribuição para 12 disjuntores", "De embutir", 7, 1, 12, 0.012, 168.00, false, kV | kH | kC},
      {22, "Porcelanato polido 60 x 60 cm", "Retificado, tipo A", 8, 3, 14, 0.55, 69.90, false, kV | kH | kC},
      {23, "Revestimento cerâmico 30 x 60 cm", "Parede, tipo A", 8, 3, 14, 0.45, 38.50, false, kV | kH | kC},
      {24, "Rejunte flexível", "Saco de 5 kg", 8, 5, 14, 0.30, 9.80, false, kV | kH | kC},
      {25, "Tinta acrílica fosca", "Lata de 18 L, branco neve", 8, 7, 18, 0.06, 329.00, false, kV | kH | kC},
      {26, "Massa corrida PVA", "Lata de 18 L", 8, 7, 18, 0.05, 98.00, false, kV | kH | kC},
      {27, "Janela de alumínio 1,20 x 1,00 m", "Com vidro liso", 9, 1, 17, 0.05, 890.00, false, kV | kH | kC},
      {28, "Porta de madeira semioca 0,80 x 2,10 m", "Com batente", 9, 1, 17, 0.06, 345.00, false, kV | kH | kC},
      {29, "Vidro temperado 8 mm", "Incolor", 9, 3, 17, 0.06, 210.00, false, kV | kC},
      {30, "Conjunto de fechadura e dobradiças", "Cromado", 9, 13, 17, 0.06, 89.00, false, kV | kH | kC},
      {31, "Concreto usinado fck 30 MPa", "Bombeado, abatimento 10 cm", 10, 4, 8, 0.18, 465.00, false, kTodos},
      {32, "Empreitada de estrutura de concreto", "Forma, armação e concretagem", 12, 4, 8, 0.18, 380.00, false, kV | kC},
      {33, "Empreitada de alvenaria", "Vedação com blocos cerâmicos", 12, 3, 11, 1.60, 38.00, false, kV | kH | kC},
      {34, "Empreitada de revestimento", "Reboco e assentamento", 12, 3, 14, 1.20, 42.00, false, kV | kH | kC},
      {35, "Empreitada de pintura", "Massa e duas demãos", 12, 3, 18, 2.50, 16.50, false, kV | kH | kC},
      {36, "Pedreiro", "Hora normal", 13, 8, 11, 1.20, 31.50, false, kTodos},
      {37, "Servente", "Hora normal", 13, 8, 2, 2.00, 19.80, false, kTodos},
      {38, "Eletricista", "Hora normal", 13, 8, 12, 0.60, 36.00, false, kTodos},
      {39, "Encanador", "Hora normal", 13, 8, 13, 0.50, 35.00, false, kTodos},
      {40, "Projeto estrutural", "Por m² de área construída", 15, 3, 2, 1.00, 18.00, false, kV | kH | kC},
      {41, "Sondagem a percussão (SPT)", "Por metro perfurado", 15, 2, 5, 0.03, 95.00, false, kTodos},
      {42, "Levantamento topográfico", "Equipe com estação total", 15, 12, 2, 0.002, 1450.00, false, kTodos},
      {43, "Ensaio de compressão de corpo de prova", "Concreto", 15, 1, 8, 0.05, 38.00, false, kV | kC},
      {44, "Terraplenagem e escavação", "Corte, aterro e compactação", 16, 4, 2, 0.35, 42.00, false, kTodos},
      {45, "Impermeabilização com manta asfáltica", "4 mm, aplicada", 16, 3, 14, 0.25, 89.00, false, kV | kH | kC},
      {46, "Fornecimento e instalação de elevador", "8 passageiros", 16, 1, 17, 0.0015, 185000.00, false, kV | kC},
      {47, "Limpeza final de obra", "Pós-obra", 16, 3, 19, 1.00, 6.50, false, kTodos},
      {48, "Locação de betoneira 400 L", "Mensal", 18, 9, 8, 0.004, 480.00, false, kTodos},
      {49, "Locação de andaime tubular", "Mensal, 100 m²", 18, 9, 14, 0.010, 650.00, false, kV | kH | kC},
      {50, "Locação de grua", "Mensal, com operador", 18, 9, 8, 0.004, 18500.00, false, kV | kC},
      {51, "Caçamba para entulho 5 m³", "Retirada inclusa", 18, 1, 2, 0.020, 320.00, false, kTodos},
      {52, "Energia elétrica do canteiro", "Conta mensal", 20, 9, 2, 0.008, 1850.00, false, kTodos},
      {53, "Água e esgoto do canteiro", "Conta mensal", 20, 9, 2, 0.008, 620.00, false, kTodos},
      {54, "Taxas, licenças e emolumentos", "Alvarás e registros", 20, 0, 2, 0.001, 8500.00, false, kTodos},
  };
  return i;
}

const TInsumoDemo& Insumo(int codigo) { return Insumos()[static_cast<size_t>(codigo - 1)]; }
bool Material(const TInsumoDemo& i) { return Grupo(i.Grupo).TipoInsumo == 1; }
bool Inteiro(const TInsumoDemo& i) {
  return i.Unidade == 1 || i.Unidade == 6 || i.Unidade == 7 || i.Unidade == 11 || i.Unidade == 13;
}

const std::vector<TFaseDemo>& Fases() {
  static const std::vector<TFaseDemo> f = {
      {1, "00", "Obra completa", 1, 100, 0.00, 1.00},
      {2, "01", "Serviços preliminares", 1, 5, 0.00, 0.08},
      {3, "01.01", "Instalação do canteiro de obras", 2, 40, 0.00, 0.04},
      {4, "01.02", "Locação da obra", 2, 60, 0.04, 0.08},
      {5, "02", "Fundações", 1, 12, 0.05, 0.20},
      {6, "02.01", "Estacas", 2, 70, 0.05, 0.125},
      {7, "02.02", "Blocos e vigas baldrames", 2, 30, 0.125, 0.20},
      {8, "03", "Estrutura", 1, 25, 0.15, 0.50},
      {9, "03.01", "Pilares e vigas", 2, 55, 0.15, 0.325},
      {10, "03.02", "Lajes", 2, 45, 0.325, 0.50},
      {11, "04", "Alvenaria", 1, 12, 0.35, 0.65},
      {12, "05", "Instalações elétricas", 1, 8, 0.45, 0.85},
      {13, "06", "Instalações hidráulicas", 1, 8, 0.45, 0.85},
      {14, "07", "Revestimentos", 1, 12, 0.60, 0.90},
      {15, "07.01", "Reboco", 2, 50, 0.60, 0.75},
      {16, "07.02", "Cerâmica e porcelanato", 2, 50, 0.75, 0.90},
      {17, "08", "Esquadrias", 1, 6, 0.75, 0.95},
      {18, "09", "Pintura", 1, 7, 0.85, 0.98},
      {19, "10", "Limpeza e entrega", 1, 5, 0.96, 1.00},
  };
  return f;
}

const TFaseDemo& Fase(int codigo) { return Fases()[static_cast<size_t>(codigo - 1)]; }

const std::vector<TUnidadeMedidaDemo>& UnidadesMedida() {
  static const std::vector<TUnidadeMedidaDemo> u = {
      {1, "Unidade", "un"},   {2, "Metro", "m"},         {3, "Metro quadrado", "m²"}, {4, "Metro cúbico", "m³"},
      {5, "Quilograma", "kg"}, {6, "Saco", "sc"},         {7, "Lata", "lt"},           {8, "Hora", "h"},
      {9, "Mês", "mês"},       {10, "Verba", "vb"},       {11, "Chapa", "ch"},         {12, "Dia", "dia"},
      {13, "Conjunto", nullptr},
  };
  return u;
}

const std::vector<TTipoImovelDemo>& TiposImovel() {
  static const std::vector<TTipoImovelDemo> t = {
      {1, "Apartamento 2 dormitórios", 62.40, 54.10, 12.00},
      {2, "Apartamento 3 dormitórios", 84.75, 73.20, 24.00},
      {3, "Cobertura duplex", 152.30, 131.60, 24.00},
      {4, "Sala comercial", 38.20, 33.40, 0},
      {5, "Loja térrea", 74.50, 68.90, 0},
      {6, "Casa térrea 3 dormitórios", 112.60, 98.30, 0},
      {7, "Lote residencial", 300.00, 300.00, 0},
  };
  return t;
}

const std::vector<TModeloEmpreend>& ModelosEmpreend() {
  static const std::vector<TModeloEmpreend> m = {
      {"Residencial Jardim das Acácias", 1, 2, 4, 2, false},
      {"Condomínio Villa Toscana", 2, 1, 1, 10, false},
      {"Edifício Solar do Ipê", 1, 1, 6, 3, true},
      {"Torre Empresarial Barão Geraldo", 3, 1, 5, 4, false},
      {"Residencial Parque das Águas", 1, 2, 5, 2, false},
      {"Loteamento Recanto dos Pássaros", 4, 1, 1, 16, false},
      {"Residencial Bosque dos Jequitibás", 1, 1, 5, 3, false},
      {"Condomínio Reserva São Conrado", 2, 1, 1, 12, false},
      {"Edifício Mirante da Serra", 1, 1, 6, 2, true},
      {"Centro Comercial Paço Imperial", 3, 1, 4, 4, false},
      {"Residencial Vila Sônia", 1, 2, 4, 2, false},
      {"Loteamento Colinas do Atibaia", 4, 1, 1, 14, false},
      {"Edifício Maison Côte d'Azur", 1, 1, 5, 2, true},
      {"Residencial Pôr do Sol", 1, 1, 4, 4, false},
      {"Condomínio Jardim Botânico", 2, 1, 1, 8, false},
      {"Edifício Conceição Tower", 3, 1, 6, 3, false},
      {"Residencial Praça São Bento", 1, 2, 3, 3, false},
      {"Loteamento Estância Guaraná", 4, 1, 1, 12, false},
  };
  return m;
}

const std::vector<TEmpresaDemo>& Empresas() {
  static const std::vector<TEmpresaDemo> e = {
      {1, "Construtora Horizonte Ltda", "Horizonte Construtora", "HORIZONTE", 12345678, "Avenida Paulista", "1578",
       "Conjunto 92", "Bela Vista", "São Paulo", "SP", "01310-200", "(11) 3251-4400", "(11) 3251-4401",
       "contato@horizonteconstrutora.com.br", 0x1F4E9A, 3,
       {"Vila Mariana", "Moema", "Santana", "Tatuapé", "Pinheiros", "Ipiranga"},
       {"Rua das Acácias", "Rua Tuim", "Rua Conselheiro Brotero", "Alameda dos Maracatins", "Rua Padre Anchieta",
        "Rua Voluntários da Pátria"},
       1, {1.0, 1.0, 1.0}},
      {2, "Incorporadora Vale Verde S.A.", "Vale Verde", "VALE VERDE", 23456789, "Rua Barão de Jaguara", "707",
       "10º andar", "Centro", "Campinas", "SP", "13015-001", "(19) 3232-1180", "", "financeiro@valeverde.com.br",
       0x2E7D32, 2, {"Cambuí", "Taquaral", "Barão Geraldo", "Nova Campinas"},
       {"Rua Coronel Quirino", "Avenida Albino José Barbosa de Oliveira", "Rua Maria Monteiro", "Rua Sampainho"}, 2,
       {2087.5432, 2131.9874, 2176.4410}},
      {3, "Ribeiro & Filhos Engenharia Ltda", "Ribeiro & Filhos", "RIBEIRO", 34567890, "Rua XV de Novembro", "1299",
       "", "Centro", "Curitiba", "PR", "80060-000", "(41) 3322-5090", "(41) 3322-5091",
       "obras@ribeiroefilhos.eng.br", 0, 1, {"Batel", "Água Verde", "Santa Felicidade"},
       {"Rua Desembargador Motta", "Avenida Iguaçu", "Rua Padre Agostinho"}, 3, {5.4128, 5.2391, 5.6012}},
  };
  return e;
}

const std::vector<TFornecedorDemo>& FornecedoresBase() {
  static const std::vector<TFornecedorDemo> f = {
      {"Casa do Construtor Itaú Materiais Ltda", "Casa do Construtor", {2, 4, 5}, {}, "São Paulo", "SP", true, true, true},
      {"Aço Forte Distribuidora de Ferro S.A.", "Aço Forte", {3}, {}, "Guarulhos", "SP", true, false, true},
      {"Cerâmica São Jorge Indústria e Comércio Ltda", "Cerâmica São Jorge", {4, 8}, {}, "Tatuí", "SP", true, true, false},
      {"Madeireira Paraná Ltda", "Madeireira Paraná", {5}, {}, "Curitiba", "PR", true, false, true},
      {"Hidráulica Água Limpa Comércio Ltda", "Água Limpa", {6}, {}, "Campinas", "SP", true, true, true},
      {"Elétrica Luz & Força Materiais Elétricos Ltda", "Luz & Força", {7}, {}, "São Paulo", "SP", true, false, true},
      {"Acabamentos Nobre Comércio de Pisos Ltda", "Nobre Acabamentos", {8}, {}, "Santo André", "SP", true, false, true},
      {"Vidraçaria e Esquadrias Cristal Ltda", "Cristal Esquadrias", {9}, {}, "Osasco", "SP", true, true, true},
      {"Concreteira Pedra Azul S.A.", "Pedra Azul", {10}, {}, "Jundiaí", "SP", true, false, true},
      {"Empreiteira Irmãos Araújo Ltda", "Irmãos Araújo", {12}, {}, "São Paulo", "SP", true, false, false},
      {"Gonçalves & Conceição Serviços de Pintura Ltda", "G&C Pinturas", {12}, {}, "Campinas", "SP", true, false, true},
      {"Cooperativa de Mão de Obra União Ltda", "Coop União", {13}, {}, "São Paulo", "SP", true, true, true},
      {"Escritório Técnico Simões Engenharia Ltda", "Simões Engenharia", {}, {40, 42, 43}, "São Paulo", "SP", true, false, true},
      {"Geotécnica Sondagens do Brasil Ltda", "Geotécnica", {}, {41}, "Sorocaba", "SP", true, false, true},
      {"Terraplenagem Bandeirantes Ltda", "Bandeirantes", {}, {44}, "Barueri", "SP", true, false, false},
      {"Impermeabilizações Vedatudo Ltda", "Vedatudo", {}, {45, 47}, "São Paulo", "SP", true, true, true},
      {"Elevadores Ascensão S.A.", "Ascensão", {}, {46}, "São Paulo", "SP", true, false, true},
      {"Locadora de Equipamentos Guindaste Forte Ltda", "Guindaste Forte", {}, {48, 50}, "São Bernardo do Campo", "SP", true, false, true},
      {"Andaimes São Cristóvão Locações Ltda", "São Cristóvão", {}, {49, 51}, "Campinas", "SP", true, false, true},
      {"Companhia Paulista de Energia Elétrica", "CPEE", {}, {52}, "São Paulo", "SP", true, false, true},
      {"Companhia de Saneamento Básico Regional", "Saneamento Regional", {}, {53}, "São Paulo", "SP", false, false, true},
      {"Cartório de Registro de Imóveis e Anexos", "Registro de Imóveis", {}, {54}, "São Paulo", "SP", false, false, false},
      {"Distribuidora Nossa Senhora Aparecida Materiais Ltda", "N. S. Aparecida", {2, 3, 6, 7}, {}, "Aparecida", "SP", true, true, true},
      {"Comercial Pôr do Sol Materiais de Construção Ltda", "Pôr do Sol", {2, 4, 8}, {}, "Curitiba", "PR", true, false, true},
  };
  return f;
}

const std::vector<const char*>& PrenomesDemo() {
  static const std::vector<const char*> p = {
      "Ana Paula", "João Batista", "Maria José", "José Antônio", "Francisca", "Luís Henrique", "Márcia", "Sérgio",
      "Conceição", "André Luiz", "Patrícia", "Antônio Carlos", "Fábio", "Cláudia", "Vinícius", "Letícia",
      "Rogério", "Beatriz", "Mônica", "Otávio", "Lúcia Helena", "Gustavo", "Débora", "Raimundo", "Tânia",
      "Caio", "Jéssica", "Inês", "Ângelo", "Glória"};
  return p;
}

const std::vector<const char*>& SobrenomesDemo() {
  static const std::vector<const char*> s = {
      "Gonçalves", "Araújo", "Conceição", "Simões", "Magalhães", "Ribeiro", "Assunção", "Brandão", "Fernandes",
      "Guimarães", "Lopes", "Nogueira", "Peçanha", "Quintão", "Sá", "Teixeira", "Valadão", "Zanetti", "Falcão",
      "Damásio", "Esteves", "Câmara", "Loureiro", "Meireles", "Prado", "Rocha", "Sampaio", "Tavares", "Vasconcelos",
      "Ximenes"};
  return s;
}

}  // namespace demo
