// The spreadsheets of a run on the demo database, read back: the XLSX through openpyxl
// and the CSV of the same run, for a report grouped by supplier and one with twelve
// month columns.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/report/execucao.h"
#include "tests/testkit/banco_demo_teste.h"
#include "tests/testkit/planilha_teste.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

struct TSaidaPlanilhas {
  TnRastro Rastro;
  TPlanilhaLida Xlsx;
  std::vector<std::vector<std::string>> Csv;
};

std::vector<std::string> Textos(const std::vector<TCelulaLida>& linha) {
  std::vector<std::string> t;
  for (const auto& c : linha) t.push_back(c.Texto);
  return t;
}

// The CSV holds the rows of the XLSX: the same texts and dates, numbers with "," and no grouping.
void EsperarMesmasLinhas(const TPlanilhaLida& xlsx, const std::vector<std::vector<std::string>>& csv) {
  ASSERT_EQ(csv.size(), xlsx.Linhas.size());
  for (size_t i = 0; i < csv.size(); ++i) {
    const auto& linha = xlsx.Linhas[i];
    for (size_t j = 0; j < std::max(csv[i].size(), linha.size()); ++j) {
      SCOPED_TRACE("linha " + std::to_string(i + 1) + ", coluna " + std::to_string(j + 1));
      const std::string campo = j < csv[i].size() ? csv[i][j] : "";
      const TCelulaLida celula = j < linha.size() ? linha[j] : TCelulaLida{};
      if (celula.Tipo != TTipoCelula::Numero) {
        EXPECT_EQ(campo, celula.Texto);
        continue;
      }
      ASSERT_EQ(campo.find('.'), std::string::npos) << campo;
      std::string numero = campo;
      std::replace(numero.begin(), numero.end(), ',', '.');
      const bool percentual = !numero.empty() && numero.back() == '%';
      EXPECT_NEAR(std::stod(numero) / (percentual ? 100 : 1), celula.Numero, 1e-9) << campo;
    }
  }
}

class Planilha : public TesteBancoDemo {
 protected:
  static TSaidaPlanilhas Imprimir(const std::string& plugin, const TParametros& parametros) {
    const fs::path pasta = fs::temp_directory_path() / ("rpt-planilha-" + std::to_string(getpid()));
    fs::create_directories(pasta);
    TnPedidoImpressao pedido;
    pedido.Plugin = plugin;
    pedido.Parametros = parametros;
    pedido.ComRastro = true;
    pedido.ArquivoXlsx = (pasta / "r.xlsx").string();
    pedido.ArquivoCsv = (pasta / "r.csv").string();
    TSaidaPlanilhas s;
    s.Rastro = ImprimirRelatorio(pedido).Rastro;
    s.Xlsx = LerXlsx(pedido.ArquivoXlsx);
    s.Csv = LerCsv(pedido.ArquivoCsv);
    fs::remove_all(pasta);
    return s;
  }
  // Rows below the frozen heading.
  static std::vector<std::vector<TCelulaLida>> Corpo(const TPlanilhaLida& p) {
    return {p.Linhas.begin() + p.LinhasCongeladas, p.Linhas.end()};
  }
};

TEST_F(Planilha, PaymentsBySupplierGiveOneRowPerLineAndTotalsThatAddUp) {
  const TSaidaPlanilhas s = Imprimir("RptPayments", {{"pCodigoEscrit", "1"}, {"pDataInicial", "01/01/2026"},
                                                     {"pDataFinal", "31/03/2026"}, {"pOrdenar", "0"}});
  const TPlanilhaLida& x = s.Xlsx;
  ASSERT_GE(x.LinhasCongeladas, 2);
  EXPECT_EQ(x.Linhas[0][0].Texto, Secoes(s.Rastro, 1)[0].Valor("pNomeEmpresa"));  // the title block
  const auto& cabecalho = x.Linhas[x.LinhasCongeladas - 1];
  EXPECT_EQ(Textos(cabecalho), (std::vector<std::string>{"Pagamento", "Nota", "Vencimento", "Valor parcela",
                                                         "Valor pago", "Juros + multa", "Desconto", "Total"}));
  EXPECT_TRUE(cabecalho[0].Negrito);

  const auto corpo = Corpo(x);
  size_t secoes = 0;
  for (const auto& sec : s.Rastro.Secoes) secoes += sec.Secao != 1 && sec.Secao != 8;  // 8: the heading under each page header
  EXPECT_EQ(corpo.size(), secoes);
  std::vector<double> grupo(4), geral(4);
  size_t linhas = 0, grupos = 0, notasComZeros = 0;
  bool totalGeral = false;
  for (const auto& l : corpo) {
    ASSERT_EQ(l.size(), 8u);
    if (l[0].Tipo == TTipoCelula::Data) {
      ++linhas;
      EXPECT_EQ(l[2].Tipo, TTipoCelula::Data);
      EXPECT_EQ(l[0].Formato, "dd/mm/yyyy");
      EXPECT_EQ(l[1].Tipo, TTipoCelula::Texto) << l[1].Texto;  // invoice numbers stay codes
      notasComZeros += l[1].Texto.rfind('0', 0) == 0;
      EXPECT_FALSE(l[4].Negrito);
      for (size_t k = 0; k < 4; ++k) {
        ASSERT_EQ(l[4 + k].Tipo, TTipoCelula::Numero);
        grupo[k] += l[4 + k].Numero;
        geral[k] += l[4 + k].Numero;
      }
    } else if (l[3].Texto == "Total do grupo" || l[3].Texto == "Total geral") {
      const bool doGrupo = l[3].Texto == "Total do grupo";
      grupos += doGrupo;
      totalGeral = !doGrupo;
      EXPECT_TRUE(l[3].Negrito);
      for (size_t k = 0; k < 4; ++k) {
        ASSERT_EQ(l[4 + k].Tipo, TTipoCelula::Numero);
        EXPECT_NEAR(l[4 + k].Numero, doGrupo ? grupo[k] : geral[k], 0.005) << l[3].Texto << " " << k;
      }
      grupo.assign(4, 0);
    } else {
      EXPECT_EQ(Textos(l)[0], "Fornecedor:");  // the group's heading, bold as printed
      EXPECT_TRUE(l[0].Negrito && l[2].Negrito);
      EXPECT_FALSE(l[2].Texto.empty());
    }
  }
  EXPECT_EQ(linhas, Secoes(s.Rastro, 9).size());
  EXPECT_EQ(grupos, Secoes(s.Rastro, 15).size());
  EXPECT_GT(grupos, 1u);
  EXPECT_TRUE(totalGeral);
  EXPECT_GT(notasComZeros, 0u);
  EsperarMesmasLinhas(x, s.Csv);
}

TEST_F(Planilha, IncurredCostByUnitKeepsTwelveMonthColumnsTheirSumsAndSigns) {
  // A large return in March leaves one unit's month negative.
  const auto item = LinhasDaConsulta(
      "select first 1 CODIGOEMPREEND, CODIGOESTRUTURA from EMPREENDIMENTOESTRUTURA where CODIGOESCRIT = 1 and "
      "TIPOESTRUTURA = 2 and CODIGOIMOVEL is not null order by CODIGOEMPREEND, CLASSIFESTRUTURA", {});
  const auto insumo = LinhasDaConsulta("select (select min(CODIGOINSUMO) from INSUMO), (select max(CODIGORATEIO) + 1 from RATEIO) from RDB$DATABASE", {});
  ASSERT_EQ(item.size(), 1u);
  FBanco->Conexao().ExecutarScript(
      "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, "
      "CODIGOINSUMO, VALORRATEIO) values (1, " + item[0][0] + ", " + item[0][1] + ", " + insumo[0][1] +
      ", '2026-03-15', -1, " + insumo[0][0] + ", 1000000);");

  const TSaidaPlanilhas s = Imprimir("RptIncurredCostByUnit", {{"pCodigoEscrit", "1"}, {"pDataInicial", "01/01/2026"},
                                                               {"pDataFinal", "31/12/2026"}});
  const TPlanilhaLida& x = s.Xlsx;
  ASSERT_GE(x.LinhasCongeladas, 2);
  EXPECT_EQ(Textos(x.Linhas[x.LinhasCongeladas - 1]),
            (std::vector<std::string>{"Unidade", "Coef.", "Saldo anterior", "Janeiro", "Fevereiro", "Março", "Abril",
                                      "Maio", "Junho", "Julho", "Agosto", "Setembro", "Outubro", "Novembro",
                                      "Dezembro", "Total"}));
  ASSERT_EQ(x.Larguras.size(), 16u);

  std::vector<double> soma(14);
  size_t linhas = 0, totais = 0, negativos = 0;
  for (const auto& l : Corpo(x)) {
    ASSERT_EQ(l.size(), 16u);
    if (l[0].Texto == "Total do empreendimento") {
      ++totais;
      for (size_t k = 0; k < 14; ++k) {
        EXPECT_EQ(l[2 + k].Tipo, TTipoCelula::Numero);
        EXPECT_TRUE(l[2 + k].Negrito);
        EXPECT_NEAR(l[2 + k].Numero, soma[k], 0.005) << "coluna " << k + 3;
      }
      soma.assign(14, 0);
    } else if (l[1].Tipo == TTipoCelula::Numero) {
      ++linhas;
      double linha = 0;
      for (size_t k = 0; k < 14; ++k) {
        ASSERT_EQ(l[2 + k].Tipo, TTipoCelula::Numero) << k;
        soma[k] += l[2 + k].Numero;
        if (k < 13) linha += l[2 + k].Numero;
        // The balance and the months print negatives in parentheses, the line total with a minus.
        if (l[2 + k].Numero < 0) ++negativos;
        EXPECT_EQ(l[2 + k].Formato, l[2 + k].Numero < 0 && k < 13 ? "#,##0.00;(#,##0.00)" : "#,##0.00");
      }
      EXPECT_NEAR(l[15].Numero, linha, 0.005);  // the line total is the balance and the months
    } else {  // a development on its own page: its header lines where it starts
      EXPECT_TRUE(l[0].Texto.rfind("Empreendimento:", 0) == 0 || l[0].Texto.rfind("Unidades:", 0) == 0) << l[0].Texto;
    }
  }
  EXPECT_EQ(linhas, Secoes(s.Rastro, 8).size());
  EXPECT_EQ(totais, Secoes(s.Rastro, 9).size());
  EXPECT_GT(totais, 1u);
  EXPECT_GT(negativos, 0u);
  EsperarMesmasLinhas(x, s.Csv);
}

}  // namespace
