// Quotation request: one letter per selected supplier on the company's
// letterhead, the budget's items in it, one supplier row whatever its addresses
// and contacts, and a selection that names no supplier refused.
#include <gtest/gtest.h>

#include "host/data/client_dataset.h"
#include "host/report/report.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

// The budget's items as the layout's query gives them.
std::unique_ptr<TnClientDataSet> Itens(int quantos) {
  auto ds = std::make_unique<TnClientDataSet>();
  for (const char* c : {"SeqInsumo", "CodigoInsumo", "DescrInsumo", "DescrUnidade", "Quantidade"}) ds->AddFieldDef(c, ftString, 40);
  ds->CreateDataSet();
  for (int i = 1; i <= quantos; ++i) {
    ds->Append();
    ds->FieldByName("SeqInsumo")->SetAsString(std::to_string(i));
    ds->FieldByName("CodigoInsumo")->SetAsString(std::to_string(100 + i));
    ds->FieldByName("DescrInsumo")->SetAsString("Insumo " + std::to_string(i));
    ds->FieldByName("DescrUnidade")->SetAsString("Saco 50 kg");
    ds->FieldByName("Quantidade")->SetAsString(std::to_string(i) + ",5000");
    ds->Post();
  }
  return ds;
}

class QuotationRequest : public TesteRelatorio {
 protected:
  QuotationRequest() {
    Sql("insert into ENDERECO (CODIGOENDERECO, LOGRADOURO, NUMERO, CIDADE, UF) values (1, 'Rua A', '10', 'Curitiba', 'PR')");
    Sql("insert into ENDERECO (CODIGOENDERECO, LOGRADOURO, NUMERO, CIDADE, UF) values (2, 'Rua B', '20', 'Curitiba', 'PR')");
    Fornecedor(201, "Cimentos Paraná", {{3, "(41) 1111-1111"}, {5, "(41) 2222-2222"}, {8, "vendas@cimentos.com"}}, {901});
    Fornecedor(202, "Areia Boa", {{3, "(41) 3333-3333"}}, {});
    Fornecedor(203, "Ferro Forte", {{5, "(41) 4444-4444"}}, {902, 901});
    // Two business telephones and two default addresses: still one letter.
    Fornecedor(204, "Tintas Cor", {{3, "(41) 5555-5555"}, {3, "(41) 5555-0000"}}, {});
    Sql("insert into PESSOAENDERECO (CODIGOPESSOAFIN, CODIGOENDERECO, PADRAO) values (204, 1, 1)");
    Sql("insert into PESSOAENDERECO (CODIGOPESSOAFIN, CODIGOENDERECO, PADRAO) values (204, 2, 1)");
  }

  // A supplier with its contacts (type, value) and related persons of type 3.
  void Fornecedor(int codigo, const std::string& nome, const std::vector<std::pair<int, std::string>>& contatos,
                  const std::vector<int>& relacionados) {
    Sql("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (:c, :n, '00.000.000/0001-00')",
        {codigo, nome});
    int sequencia = 0;
    for (const auto& [tipo, valor] : contatos)
      Sql("insert into PESSOACONTATO (CODIGOPESSOAFIN, CODIGOPESSOACONTATO, TIPOCONTATO, VALOR) values (:c, :s, :t, :v)",
          {codigo, ++sequencia, tipo, valor});
    for (int pessoa : relacionados) {
      Sql("update or insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (:c, :n) matching (CODIGOPESSOAFIN)",
          {pessoa, "Contato " + std::to_string(pessoa)});
      Sql("insert into PESSOARELACAO (CODIGOPESSOAFIN, CODIGOPESSOARELACIONADA, TIPORELACIONAMENTO) values (:c, :p, 3)",
          {codigo, pessoa});
    }
  }

  TnResultadoImpressao Imprimir(const std::string& fornecedores, int itens, int empresa = semente::kEmpresa) {
    auto ds = Itens(itens);
    TnPedidoImpressao pedido;
    pedido.Plugin = RPT_PLUGIN_PATH;
    pedido.ComRastro = true;
    pedido.Parametros = {{"pCodigoEscrit", std::to_string(empresa)}, {"pCodigoOrcamentoEntrada", "1"},
                         {"pCodigoPessoaFin", fornecedores}};
    pedido.Conjuntos.Principal = ds.get();
    return ImprimirRelatorio(pedido);
  }
};

struct TCasoCartas {
  const char* Fornecedores;
  int Itens;
  std::vector<int> SecoesEsperadas;  // after the page headers
  int Paginas;
};

TEST_F(QuotationRequest, UmaCartaPorFornecedorComOsItens) {
  const TCasoCartas casos[] = {
      {"201", 3, {8, 9, 9, 10, 11}, 1},
      {"201,202", 2, {8, 9, 10, 11, 8, 9, 10, 11}, 2},
      {"202", 1, {8, 10, 11}, 1},
      {"204", 1, {8, 10, 11}, 1},
  };
  for (const auto& c : casos) {
    const TnResultadoImpressao r = Imprimir(c.Fornecedores, c.Itens);
    EXPECT_EQ(r.Rastro.NumerosSecoes(), c.SecoesEsperadas) << c.Fornecedores;
    EXPECT_EQ(r.Paginas, c.Paginas) << c.Fornecedores;
    const int cartas = static_cast<int>(Secoes(r, 8).size());
    EXPECT_EQ(r.Rastro.UltimoProgresso, std::make_pair(cartas * c.Itens, cartas * c.Itens)) << c.Fornecedores;
    const auto fechamentos = Secoes(r, 11);  // each letter closes its own page
    for (size_t i = 0; i < fechamentos.size(); ++i) EXPECT_EQ(fechamentos[i].Pagina, static_cast<int>(i) + 1);
  }
  const TnResultadoImpressao r = Imprimir("201", 3);
  EXPECT_EQ(ValoresDe(r.Rastro, 9, "pDescInsumo"), (std::vector<std::string>{"Insumo 1", "Insumo 2"}));
  EXPECT_TRUE(MostraValores(Secoes(r, 10)[0], {{"pSequencia", "3"}, {"pCodigoInsumo", "103"}, {"pDescInsumo", "Insumo 3"},
                                               {"pDescUnidadeMedida", "Saco 50 kg"}, {"pQuantidade", "3,5000"}}));
}

TEST_F(QuotationRequest, DadosEContatoDeCadaFornecedor) {
  const TnResultadoImpressao r = Imprimir("201-204", 1);
  const auto cartas = Secoes(r, 8);
  ASSERT_EQ(cartas.size(), 4u);
  struct {
    const char *Nome, *FoneFax, *Email, *Contato;
  } esperados[] = {
      {"201 Cimentos Paraná", "(41) 1111-1111 / (41) 2222-2222", "vendas@cimentos.com", "Contato 901"},
      {"202 Areia Boa", "(41) 3333-3333", "", ""},
      {"203 Ferro Forte", " / (41) 4444-4444", "", "Contato 901"},
      {"204 Tintas Cor", "(41) 5555-0000", "", ""},
  };
  for (size_t i = 0; i < cartas.size(); ++i)
    EXPECT_TRUE(MostraValores(cartas[i], {{"pNomeFornec", esperados[i].Nome},
                                          {"pInscFedFornec", "00.000.000/0001-00"},
                                          {"pFoneFaxFornec", esperados[i].FoneFax},
                                          {"pEmailFornec", esperados[i].Email},
                                          {"pContatoFornec", esperados[i].Contato}}));
  EXPECT_EQ(cartas[3].Valor("pEnderecoFornec"), "Rua A, 10, Curitiba/PR");  // the first of its two default addresses
}

TEST_F(QuotationRequest, TimbreDaEmpresaOuVazioSemEla) {
  for (int empresa : {semente::kEmpresa, 99}) {
    const TnResultadoImpressao r = Imprimir("202", 1, empresa);
    ASSERT_FALSE(Secoes(r, 1).empty());
    const bool existe = empresa == semente::kEmpresa;
    EXPECT_TRUE(MostraValores(Secoes(r, 1)[0], {{"pNomeEmpresa", existe ? semente::kNomeEmpresa : ""},
                                                {"pInscFedEmpresa", existe ? semente::kInscricaoEmpresa : ""}}));
    EXPECT_EQ(Secoes(r, 8).size(), 1u);
  }
}

TEST_F(QuotationRequest, SemItensOuSemFornecedorNadaSaiENadaMaisEConsultado) {
  const TnResultadoImpressao semItens = Imprimir("201", 0);
  EXPECT_EQ(semItens.Paginas, 0);
  EXPECT_TRUE(semItens.Rastro.Consultas.empty());
  const TnResultadoImpressao semFornecedor = Imprimir("999", 2);
  EXPECT_EQ(semFornecedor.Paginas, 0);
  EXPECT_EQ(semFornecedor.Rastro.Consultas.size(), 1u);  // the suppliers only, not the company
}

// An empty selection would send the request to every person of the database.
TEST_F(QuotationRequest, SelecaoQueNaoNomeiaFornecedorERecusadaAntesDeConsultar) {
  const struct {
    const char *Selecao, *Mensagem;
  } casos[] = {
      {"", "Informe ao menos um fornecedor."},
      {"  ", "Informe ao menos um fornecedor."},
      {"1) or (1=1", nullptr},
  };
  for (const auto& c : casos) {
    auto itens = Itens(2);
    TImpressaoDireta direta(RPT_PLUGIN_PATH, {{"pCodigoPessoaFin", c.Selecao}, {"pCodigoOrcamentoEntrada", "1"}});
    direta.Report().DefinirMainDataSet(itens.get());
    int consultas = 0;
    banco.Conexao().DefinirObservador([&](const std::string&, int) { ++consultas; });
    try {
      direta.Imprimir();
      ADD_FAILURE() << "'" << c.Selecao << "' was accepted";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), "pCodigoPessoaFin");
      if (c.Mensagem) EXPECT_STREQ(e.what(), c.Mensagem);
      else EXPECT_EQ(std::string(e.what()).rfind("Seleção '1) or (1=1' inválida", 0), 0u) << e.what();
    }
    banco.Conexao().DefinirObservador({});
    EXPECT_EQ(consultas, 0) << c.Selecao;
    EXPECT_FALSE(direta.Report().ImprimiuAlgo());
  }
}

}  // namespace
