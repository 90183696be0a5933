#include "host/domain/custo_orcado_imovel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "tests/testkit/banco_teste.h"

namespace {

// Company 1. Development 1 (by total area): units 101 (type 1, 60/50 m², coefficient
// 0,6), 102 (type 1, 40/30 plus a garage of 20/0, coefficient 0,4) and 103 (type 2,
// no area rows, no structure item); works 1 with budgets of 1.000,00 (January) and
// 2.000,00 (June), works 3 without a budget. Development 2 (by usable area): unit 201
// (type 1, 100/80, no structure item), works 2 budgeted in March. Company 9 has a works
// of its own over a development 1 of its own.
struct CustoOrcadoImovel : ::testing::Test {
  CustoOrcadoImovel() {
    banco.Script(
        "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE, FORMARATEIO) values (1, 1, 'Acácias', 1);"
        "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE, FORMARATEIO) values (1, 2, 'Toscana', 2);"
        "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE, FORMARATEIO) values (9, 1, 'Alheio', 1);"
        "insert into TPIMOVEL (CODIGOTPIMOVEL, DSTPIMOVEL) values (1, 'Apartamento');"
        "insert into TPIMOVEL (CODIGOTPIMOVEL, DSTPIMOVEL) values (2, 'Vaga de garagem');"
        "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL, DESCRIMOVEL) values (1, 101, 1, 1, 'Apto 101');"
        "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL, DESCRIMOVEL) values (1, 102, 1, 1, 'Apto 102');"
        "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL, DESCRIMOVEL) values (1, 103, 1, 2, 'Vaga 1');"
        "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL, DESCRIMOVEL) values (1, 201, 2, 1, 'Casa 1');"
        "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL, DESCRIMOVEL) values (9, 101, 1, 1, 'Alheio');"
        "insert into IMOVELAREA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOIMOVELAREA, TOTALMQUADRADO, TOTALMUTIL) values (1, 101, 1, 60, 50);"
        "insert into IMOVELAREA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOIMOVELAREA, TOTALMQUADRADO, TOTALMUTIL) values (1, 102, 1, 40, 30);"
        "insert into IMOVELAREA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOIMOVELAREA, TOTALMQUADRADO, TOTALMUTIL) values (1, 102, 2, 20, 0);"
        "insert into IMOVELAREA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOIMOVELAREA, TOTALMQUADRADO, TOTALMUTIL) values (1, 201, 1, 100, 80);"
        "insert into IMOVELAREA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOIMOVELAREA, TOTALMQUADRADO, TOTALMUTIL) values (9, 101, 1, 999, 999);"
        "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, TIPOESTRUTURA, "
        "COEFICIENTEMQUADRADO) values (1, 1, 1, '1', 1, 1);"
        "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, TIPOESTRUTURA, "
        "CODIGOIMOVEL, COEFICIENTEMQUADRADO) values (1, 1, 2, '1.01', 2, 101, 0.6);"
        "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, TIPOESTRUTURA, "
        "CODIGOIMOVEL, COEFICIENTEMQUADRADO) values (1, 1, 3, '1.02', 2, 102, 0.4);"
        "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, TIPOESTRUTURA, "
        "CODIGOIMOVEL, COEFICIENTEMQUADRADO) values (9, 1, 2, '1.01', 2, 101, 0.9);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (1, 1, 'Torre', 1);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (1, 2, 'Casas', 2);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (1, 3, 'Sem orçamento', 1);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (9, 1, 'Alheia', 1);"
        "insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) values (1, 1, '2026-01-01', 1000);"
        "insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) values (1, 1, '2026-06-01', 2000);"
        "insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) values (1, 2, '2026-03-01', 500);"
        "insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) values (9, 1, '2026-12-01', 7777);");
  }

  struct TCaso {
    int Modelo;
    std::string Empreend, Obra, Imovel, TPImovel;
    TDateTime Data;
    std::vector<std::string> Linhas;
  };

  // Each row as "development works code description | budget form | development
  // areas | line areas coefficient".
  static std::vector<std::string> Linhas(const TCaso& c) {
    TnDataSetSQL ds = ExecutarSQL(
        MontarSqlCustoOrcadoObraPorImovel(c.Modelo, c.Empreend, c.Obra, c.Imovel, c.TPImovel, c.Data), {TValor(1)});
    std::vector<std::string> linhas;
    for (ds->First(); !ds->Eof(); ds->Next()) {
      auto t = [&](const char* campo) { return ds->FieldByName(campo)->AsString(); };
      auto n = [&](const char* campo) { return FloatToStr(ds->FieldByName(campo)->AsFloat()); };
      linhas.push_back(t("CodigoEmpreend") + " " + t("NomeEmpre") + " " + t("CodigoObra") + " " + t("DescrObra") + " " +
                       t("Codigo") + " " + t("Descricao") + " | " + n("ValorTotalOrcado") + " " + t("FormaRateio") +
                       " | " + n("TotalMQuadradoEmpreend") + " " + n("TotalMUtilEmpreend") + " | " +
                       n("TotalMQuadrado") + " " + n("TotalMQuadradoUtil") + " " + n("CoeficienteMQuadrado"));
    }
    return linhas;
  }

  TBancoTeste banco{true};
};

TEST_F(CustoOrcadoImovel, OneRowPerUnitOrTypeFromTheLatestBudgetWithWholeDevelopmentTotals) {
  const std::string torre = "1 Acácias 1 Torre ", casas = "2 Toscana 2 Casas ";
  const TCaso casos[] = {
      // Every unit of each budgeted works; a unit without areas or structure item has zeros.
      {moAnalitico, "", "", "", "", 0,
       {torre + "101 Apto 101 | 2000 1 | 120 80 | 60 50 0,6",
        torre + "102 Apto 102 | 2000 1 | 120 80 | 60 30 0,4",
        torre + "103 Vaga 1 | 2000 1 | 120 80 | 0 0 0",
        casas + "201 Casa 1 | 500 2 | 100 80 | 100 80 0"}},
      // Areas and coefficients summed per type, titled by the type.
      {moSintetico, "", "", "", "", 0,
       {torre + "1 Apartamento | 2000 1 | 120 80 | 120 80 1",
        torre + "2 Vaga de garagem | 2000 1 | 120 80 | 0 0 0",
        casas + "1 Apartamento | 500 2 | 100 80 | 100 80 0"}},
      // Each selection narrows the lines; the development's totals stay whole.
      {moAnalitico, "2", "", "", "", 0, {casas + "201 Casa 1 | 500 2 | 100 80 | 100 80 0"}},
      {moAnalitico, "", "2-3", "", "", 0, {casas + "201 Casa 1 | 500 2 | 100 80 | 100 80 0"}},
      {moAnalitico, "", "", "101", "", 0, {torre + "101 Apto 101 | 2000 1 | 120 80 | 60 50 0,6"}},
      {moAnalitico, "", "", "", " 2 ", 0, {torre + "103 Vaga 1 | 2000 1 | 120 80 | 0 0 0"}},
      {moSintetico, "1", "1", "102-201", "1", 0, {torre + "1 Apartamento | 2000 1 | 120 80 | 60 30 0,4"}},
      // A date takes the latest budget on or before it; a works with none before it drops out.
      {moAnalitico, "", "", "101", "", EncodeDate(2026, 5, 31), {torre + "101 Apto 101 | 1000 1 | 120 80 | 60 50 0,6"}},
      {moAnalitico, "", "", "", "", EncodeDate(2026, 1, 1), {torre + "101 Apto 101 | 1000 1 | 120 80 | 60 50 0,6",
                                                            torre + "102 Apto 102 | 1000 1 | 120 80 | 60 30 0,4",
                                                            torre + "103 Vaga 1 | 1000 1 | 120 80 | 0 0 0"}},
      {moAnalitico, "", "", "", "", EncodeDate(2025, 12, 31), {}},
  };
  for (const TCaso& c : casos)
    EXPECT_EQ(Linhas(c), c.Linhas) << "modelo " << c.Modelo << " [" << c.Empreend << "|" << c.Obra << "|" << c.Imovel
                                   << "|" << c.TPImovel << "] " << c.Data;
}

TEST_F(CustoOrcadoImovel, EachOfTheFourSelectionsIsChecked) {
  for (int i = 0; i < 4; ++i) {
    std::string selecoes[4];
    selecoes[i] = "1) or (1=1";
    EXPECT_THROW(MontarSqlCustoOrcadoObraPorImovel(moAnalitico, selecoes[0], selecoes[1], selecoes[2], selecoes[3], 0),
                 EnSelecaoInvalida)
        << "selection " << i;
  }
}

TEST(VerificarSetemDiferenca, LastItemTakesWhatTheTotalMisses) {
  const struct {
    double Esperado, Total, Ultimo, Corrigido;
  } casos[] = {
      {100, 99.99, 33.33, 33.34},                // three thirds of 100
      {100, 100.01, 33.34, 33.33},               // one cent over
      {100, 100, 40, 40},                        // already exact
      {1000000, 999999.98, 400000, 400000.02},
      {26107.21, 26107.2, 4000.1, 4000.11},
      {0, 0.03, 0.01, -0.02},                    // nothing expected: the last item gives back the excess
      {-50, -49.99, -16.66, -16.67},             // negative amounts
      {100, 100.0000000001, 30, 30},             // floating-point noise is no difference
  };
  for (const auto& c : casos)
    EXPECT_DOUBLE_EQ(VerificarSetemDiferenca(c.Esperado, c.Total, c.Ultimo), c.Corrigido)
        << c.Esperado << " " << c.Total << " " << c.Ultimo;
}

}  // namespace
