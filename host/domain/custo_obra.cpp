#include "host/domain/custo_obra.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/tipo_mvto_estoque.h"

namespace {

constexpr int kSemChave = 0;        // Codigo of the line of costs without input, group or phase
constexpr int kIncluir = 1;         // FilterInterval: the codes of the selection
constexpr int kCasas = 2;           // decimals of sums and percentages
constexpr double kCem = 100;

double Somar(double total, double valor) { return RoundValor(total + valor, kCasas); }
double Percentual(double parte, double todo) { return todo == 0 ? 0 : RoundValor(parte / todo * kCem, kCasas); }

std::string Filtro(const std::string& coluna, const std::string& selecao) {
  return FilterInterval({coluna}, selecao, {kIncluir}, true, 0, -1);
}

std::string Juntar(const std::string& classificacao, const std::string& descricao) {
  return Trim(classificacao + " " + descricao);
}

// One line while it is summed: its text, its place in the order and both sides.
struct TAcumulado {
  std::string Descricao, Ordem;
  double Orcado = 0, Aplicado = 0;
};
using TLinhas = std::map<int, TAcumulado>;

struct TObraEmMontagem {
  TLinhas PorInsumo, PorGrupo, PorFase;
};

// The columns both grouped queries return, one row per works, phase and input.
struct TCamposLinha {
  explicit TCamposLinha(const TnClientDataSet& ds)
      : Obra(ds.FieldByName("CODIGOOBRA")), Fase(ds.FieldByName("FASEDAOBRA")),
        Classificacao(ds.FieldByName("CLASSIFICACAO")), DescrFase(ds.FieldByName("DESCRICAO")),
        Insumo(ds.FieldByName("CODIGOINSUMO")), DescrInsumo(ds.FieldByName("DESCRINSUMO")),
        Grupo(ds.FieldByName("CODIGOINSUMOGRUPO")), ClassifGrupo(ds.FieldByName("CLASSIFGRUPO")),
        DescrGrupo(ds.FieldByName("DESCRGRUPO")), Valor(ds.FieldByName("VALOR")) {}
  TField *Obra, *Fase, *Classificacao, *DescrFase, *Insumo, *DescrInsumo, *Grupo, *ClassifGrupo, *DescrGrupo, *Valor;
};

// A line for the key of this row, with its text and ordering taken the first time.
TAcumulado& Linha(TLinhas& linhas, int codigo, const std::string& descricao, const std::string& ordem) {
  auto [it, nova] = linhas.try_emplace(codigo);
  if (nova) {
    it->second.Descricao = descricao;
    it->second.Ordem = ordem;
  }
  return it->second;
}

// Lines in order: by their ordering text, then code; the line without key last.
std::vector<TnItemCusto> Ordenar(const TLinhas& linhas) {
  std::vector<std::pair<const int, TAcumulado> const*> ordem;
  for (const auto& par : linhas) ordem.push_back(&par);
  std::stable_sort(ordem.begin(), ordem.end(), [](auto* a, auto* b) {
    return std::make_tuple(a->first == kSemChave, a->second.Ordem, a->first) <
           std::make_tuple(b->first == kSemChave, b->second.Ordem, b->first);
  });
  std::vector<TnItemCusto> itens;
  for (const auto* par : ordem) {
    TnItemCusto item;
    item.Codigo = par->first;
    item.Descricao = par->second.Descricao;
    item.ValorOrcado = par->second.Orcado;
    item.ValorAplicado = par->second.Aplicado;
    itens.push_back(std::move(item));
  }
  return itens;
}

// The percentages of the lines, once the works budget is known; returns the sum
// of the positive remainders.
double CalcularItens(std::vector<TnItemCusto>& itens, double orcadoObra) {
  double aplicarPositivo = 0;
  for (TnItemCusto& i : itens) {
    i.ValorAplicar = RoundValor(i.ValorOrcado - i.ValorAplicado, kCasas);
    i.PercOrcado = Percentual(i.ValorOrcado, orcadoObra);
    i.PercAplicado = Percentual(i.ValorAplicado, i.ValorOrcado);
    i.PercAplicar = Percentual(i.ValorAplicar, i.ValorOrcado);
    if (i.ValorAplicar > 0) aplicarPositivo = Somar(aplicarPositivo, i.ValorAplicar);
  }
  return aplicarPositivo;
}

// Descriptions of the grouped rows: the phase of the works (null when the row's
// phase is not one of it), the input and its group.
std::string MontarSQLDescricoes(const std::string& agrupado) {
  return "select X.CODIGOOBRA , FA.CODIGOFASE FASEDAOBRA , FA.CLASSIFICACAO , FA.DESCRICAO , X.CODIGOINSUMO , "
         "SU.DESCRINSUMO , SU.CODIGOINSUMOGRUPO , IG.CLASSIFGRUPO , IG.DESCRGRUPO , X.VALOR from ( " + agrupado +
         ") X left join OBRAFASE FA on FA.CODIGOESCRIT = :pCodigoEscrit and FA.CODIGOOBRA = X.CODIGOOBRA and "
         "FA.CODIGOFASE = X.CODIGOFASE left join INSUMO SU on SU.CODIGOINSUMO = X.CODIGOINSUMO left join "
         "INSUMOGRUPO IG on IG.CODIGOINSUMOGRUPO = SU.CODIGOINSUMOGRUPO ";
}

}  // namespace

std::string DescricaoTipoEmpreendimento(TTipoEmpreendimento tipo) {
  switch (tipo) {
    case teResidencialVertical: return "Residencial vertical";
    case teResidencialHorizontal: return "Residencial horizontal";
    case teComercial: return "Comercial";
    case teLoteamento: return "Loteamento";
    default: return "";
  }
}

std::string DescricaoFormaRateio(TnFormaRateio forma) {
  switch (forma) {
    case frAreaTotal: return "Área total";
    case frAreaUtil: return "Área útil";
    default: return "";
  }
}

TnIncCustoOcadoAplicado::TnIncCustoOcadoAplicado(int codigoEscrit, TnTipoAgrupar tipoAgrupar,
                                                 TnTipoAnaliseCusto tipoAnalise)
    : FCodigoEscrit(codigoEscrit), FTipoAgrupar(tipoAgrupar), FTipoAnalise(tipoAnalise) {}

void TnIncCustoOcadoAplicado::GerarCustos() {
  CustosObra.clear();
  // Selections first: a refused text stops here, before any query.
  const std::string filtroEmpreend = Filtro("OB.CODIGOEMPREEND", CodigoEmpreend);
  const std::string filtroFaseOrcamento = Filtro("OI.CODIGOFASE", CodigoFase);
  const std::string filtroFaseRateio = Filtro("RA.CODIGOFASE", CodigoFase);

  TnDataSetSQL obras = ExecutarSQL(
      "select OB.CODIGOOBRA , OB.DESCROBRA , OB.CODIGOEMPREEND , EM.NOMEEMPRE , EM.TIPOEMPREENDIMENTO , "
      "EM.FORMARATEIO , ES.TOTALMQUADRADO , ES.TOTALMQUADRADOUTIL , OB.DATAPREVINICIO , OB.DATAPREVFIM , "
      "OB.DATAEXECINICIO , OB.DATAEXECFIM from OBRA OB left join EMPREENDIMENTO EM on EM.CODIGOESCRIT = "
      "OB.CODIGOESCRIT and EM.CODIGOEMPREEND = OB.CODIGOEMPREEND left join EMPREENDIMENTOESTRUTURA ES on "
      "ES.CODIGOESCRIT = OB.CODIGOESCRIT and ES.CODIGOEMPREEND = OB.CODIGOEMPREEND and ES.CLASSIFESTRUTURA = '1' "
      "where OB.CODIGOESCRIT = :pCodigoEscrit " + filtroEmpreend + "order by OB.CODIGOEMPREEND , OB.CODIGOOBRA ",
      {FCodigoEscrit});

  TnDataSetSQL orcado = ExecutarSQL(
      MontarSQLDescricoes(
          "select OI.CODIGOOBRA , OI.CODIGOFASE , OI.CODIGOINSUMO , sum(OI.VALORTOTAL) VALOR from "
          "OBRAORCAMENTOINSUMO OI join (select O2.CODIGOOBRA , max(O2.DATAORCAMENTO) DATAORCAMENTO from "
          "OBRAORCAMENTO O2 where O2.CODIGOESCRIT = :pCodigoEscrit group by O2.CODIGOOBRA) UO on UO.CODIGOOBRA = "
          "OI.CODIGOOBRA and UO.DATAORCAMENTO = OI.DATAORCAMENTO where OI.CODIGOESCRIT = :pCodigoEscrit " +
          filtroFaseOrcamento + "group by OI.CODIGOOBRA , OI.CODIGOFASE , OI.CODIGOINSUMO "),
      {FCodigoEscrit});

  std::string periodo;
  std::vector<TValor> valoresRateio = {FCodigoEscrit};
  if (CompetIni > 0) {
    periodo += "and RA.DATARATEIO >= :pCompetIni ";
    valoresRateio.push_back(TValor::Data(CompetIni));
  }
  if (CompetFim > 0) {
    periodo += "and RA.DATARATEIO <= :pCompetFim ";
    valoresRateio.push_back(TValor::Data(CompetFim));
  }
  TnDataSetSQL aplicado = ExecutarSQL(
      MontarSQLDescricoes(
          "select RA.CODIGOOBRA , RA.CODIGOFASE , RA.CODIGOINSUMO , sum(case when RA.TIPOMVTOESTOQUE < 0 then "
          "-RA.VALORRATEIO else RA.VALORRATEIO end) VALOR from RATEIO RA where RA.CODIGOESCRIT = :pCodigoEscrit " +
          periodo + Filtro("RA.TIPOMVTOESTOQUE", TipoMvtoEstoqueListaBaixaParaCustos()) + filtroFaseRateio +
          "group by RA.CODIGOOBRA , RA.CODIGOFASE , RA.CODIGOINSUMO "),
      valoresRateio);

  // The works in their order, each with its lines being summed.
  std::vector<TnCustoObra> todas;
  std::vector<TObraEmMontagem> montagem;
  std::unordered_map<int, size_t> indice;  // works code -> position
  for (obras->First(); !obras->Eof(); obras->Next()) {
    const int codigo = obras->FieldByName("CODIGOOBRA")->AsInteger();
    if (!indice.try_emplace(codigo, todas.size()).second) continue;  // one record per works
    TnObraCusto o;
    o.CodigoObra = codigo;
    o.DescrObra = obras->FieldByName("DESCROBRA")->AsString();
    o.CodigoEmpreend = obras->FieldByName("CODIGOEMPREEND")->AsInteger();
    o.NomeEmpre = obras->FieldByName("NOMEEMPRE")->AsString();
    o.TipoEmpreendimento = static_cast<TTipoEmpreendimento>(obras->FieldByName("TIPOEMPREENDIMENTO")->AsInteger());
    o.FormaRateio = static_cast<TnFormaRateio>(obras->FieldByName("FORMARATEIO")->AsInteger());
    o.AreaTotal = obras->FieldByName("TOTALMQUADRADO")->AsFloat();
    o.AreaUtil = obras->FieldByName("TOTALMQUADRADOUTIL")->AsFloat();
    o.PrevIniObra = obras->FieldByName("DATAPREVINICIO")->AsDateTime();
    o.PrevFimObra = obras->FieldByName("DATAPREVFIM")->AsDateTime();
    o.ExecIniObra = obras->FieldByName("DATAEXECINICIO")->AsDateTime();
    o.ExecFimObra = obras->FieldByName("DATAEXECFIM")->AsDateTime();
    todas.push_back({std::move(o), {}, {}, 0, 0, 0, 0, 0});
    montagem.emplace_back();
  }

  // Each side adds its rows to the lines of their works; rows of other works drop out.
  std::vector<bool> temCusto(todas.size(), false);
  auto somar = [&](TnClientDataSet& ds, double TAcumulado::*lado) {
    const TCamposLinha c(ds);
    for (ds.First(); !ds.Eof(); ds.Next()) {
      const auto obra = indice.find(c.Obra->AsInteger());
      if (obra == indice.end()) continue;
      temCusto[obra->second] = true;
      TObraEmMontagem& m = montagem[obra->second];
      const double valor = c.Valor->AsFloat();
      const int insumo = c.Insumo->AsInteger(), grupo = c.Grupo->AsInteger(), fase = c.Fase->AsInteger();
      TAcumulado& porInsumo = Linha(m.PorInsumo, insumo, c.DescrInsumo->AsString(), {});
      porInsumo.*lado = Somar(porInsumo.*lado, valor);
      TAcumulado& porGrupo = Linha(m.PorGrupo, grupo, Juntar(c.ClassifGrupo->AsString(), c.DescrGrupo->AsString()),
                                   c.ClassifGrupo->AsString());
      porGrupo.*lado = Somar(porGrupo.*lado, valor);
      TAcumulado& porFase = fase == kSemChave
                                ? Linha(m.PorFase, kSemChave, {}, {})
                                : Linha(m.PorFase, fase, Juntar(c.Classificacao->AsString(), c.DescrFase->AsString()),
                                        c.Classificacao->AsString());
      porFase.*lado = Somar(porFase.*lado, valor);
    }
  };
  somar(*orcado, &TAcumulado::Orcado);
  somar(*aplicado, &TAcumulado::Aplicado);

  for (size_t k = 0; k < todas.size(); ++k) {
    if (!temCusto[k]) continue;
    TnCustoObra& obra = todas[k];
    TObraEmMontagem& m = montagem[k];
    obra.Itens = Ordenar(FTipoAgrupar == taInsumo ? m.PorInsumo : m.PorGrupo);
    obra.ItensFase = Ordenar(m.PorFase);
    for (const TnItemCusto& i : obra.ItensFase) {
      obra.ValorOrcado = Somar(obra.ValorOrcado, i.ValorOrcado);
      obra.ValorAplicado = Somar(obra.ValorAplicado, i.ValorAplicado);
    }
    const double aplicarItens = CalcularItens(obra.Itens, obra.ValorOrcado);
    const double aplicarFases = CalcularItens(obra.ItensFase, obra.ValorOrcado);
    obra.PercOrcado = Percentual(obra.ValorOrcado, obra.ValorOrcado);
    obra.PercAplicado = Percentual(obra.ValorAplicado, obra.ValorOrcado);
    obra.PercAplicar = Percentual(FTipoAnalise == acFase ? aplicarFases : aplicarItens, obra.ValorOrcado);
    CustosObra.push_back(std::move(obra));
  }
}
