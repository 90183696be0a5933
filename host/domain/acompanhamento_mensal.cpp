#include "host/domain/acompanhamento_mensal.h"

#include <memory>
#include <stdexcept>

#include "host/core/datas.h"
#include "host/core/progresso.h"
#include "host/core/formato.h"
#include "host/data/client_dataset.h"
#include "host/domain/balancete_custos.h"

namespace {

constexpr int kCasasCentavos = 2;

// A text key column: null and "" are the same absent value.
TValor ValorDaChave(const TField& campo) {
  return campo.DataType() == ftString ? TValor(campo.AsString()) : campo.Value();
}

std::vector<TField*> Campos(const TnClientDataSet& ds, const std::vector<std::string>& nomes) {
  std::vector<TField*> campos;
  for (const std::string& nome : nomes) campos.push_back(ds.FieldByName(nome));
  return campos;
}

std::string JuntarIndice(const std::vector<std::string>& nomes) {
  std::string indice;
  for (const std::string& nome : nomes) indice += (indice.empty() ? "" : ";") + nome;
  return indice;
}

}  // namespace

// The columns of one load, looked up once per load.
struct TnFusaoMensal::TCamposCarga {
  TCamposCarga(const TnClientDataSet& carga, const TnColunasFusaoMensal& colunas)
      : Chave(Campos(carga, colunas.Chave)),
        Textos(Campos(carga, colunas.Textos)),
        SaldoAnterior(carga.FieldByName("SALDOANTERIOR")),
        Movimento(carga.FieldByName("MOVIMENTO")),
        Saldo(carga.FieldByName("SALDO")) {}
  std::vector<TField*> Chave, Textos;
  TField* SaldoAnterior;
  TField* Movimento;
  TField* Saldo;
};

TnFusaoMensal::TnFusaoMensal(TnClientDataSet& mensal, TnColunasFusaoMensal colunas)
    : FMensal(mensal),
      FColunas(std::move(colunas)),
      FChave(Campos(mensal, FColunas.Chave)),
      FTextos(Campos(mensal, FColunas.Textos)),
      FSaldoAnterior(mensal.FieldByName("SALDOANTERIOR")),
      FSaldoFinal(mensal.FieldByName(FColunas.SaldoFinal)),
      FPrimeiroMes(mensal.FieldByName(FColunas.PrimeiroMes)->Index()) {
  if (FColunas.Meses < 0 || FPrimeiroMes + FColunas.Meses > mensal.FieldCount())
    throw std::invalid_argument("Acompanhamento mensal: faltam colunas de meses.");
  for (int c = 0; c < mensal.FieldCount(); ++c)
    if (mensal.Fields(c)->DataType() == ftFloat) FNumeros.push_back(mensal.Fields(c));
  mensal.SetLogChanges(false);
}

TField* TnFusaoMensal::Mes(int mes) const { return FMensal.Fields(FPrimeiroMes + mes - 1); }

std::vector<TValor> TnFusaoMensal::ChaveDe(const TCamposCarga& carga) const {
  std::vector<TValor> chave;
  chave.reserve(carga.Chave.size());
  for (const TField* campo : carga.Chave) chave.push_back(ValorDaChave(*campo));
  return chave;
}

// AdicionarLinha: the load's row with every month 0; the cursor stays on the added row.
void TnFusaoMensal::Adicionar(const TCamposCarga& carga) {
  FMensal.Append();
  for (size_t i = 0; i < FChave.size(); ++i) FChave[i]->SetValue(ValorDaChave(*carga.Chave[i]));
  for (size_t i = 0; i < FTextos.size(); ++i) FTextos[i]->SetValue(carga.Textos[i]->Value());
  for (TField* numero : FNumeros) numero->SetAsFloat(0);
  FSaldoAnterior->SetAsFloat(carga.SaldoAnterior->AsFloat());
  FSaldoFinal->SetAsFloat(carga.Saldo->AsFloat());
  FMensal.Post();
}

void TnFusaoMensal::CopiarPeriodo(TnClientDataSet& periodo) {
  FMensal.SetIndexFieldNames("");  // appended in the load's order, sorted once below
  const TCamposCarga carga(periodo, FColunas);
  for (periodo.First(); !periodo.Eof(); periodo.Next()) Adicionar(carga);
  FMensal.SetIndexFieldNames(JuntarIndice(FColunas.Chave));
}

void TnFusaoMensal::SomarMes(int mes, TnClientDataSet& carga, TnFraProgresso* progresso) {
  if (mes < 1 || mes > FColunas.Meses) throw std::out_of_range("Acompanhamento mensal: mês fora do período.");
  if (FMensal.IndexFieldNames() != JuntarIndice(FColunas.Chave)) FMensal.SetIndexFieldNames(JuntarIndice(FColunas.Chave));
  TField* coluna = Mes(mes);
  const TCamposCarga campos(carga, FColunas);
  if (progresso) {
    progresso->SetProgressoParcial(0);
    progresso->ConfigurarProgressoParcial(0, carga.RecordCount());
  }
  for (carga.First(); !carga.Eof(); carga.Next()) {
    std::vector<TValor> chave = ChaveDe(campos);
    if (!FMensal.FindKey(chave)) {
      Adicionar(campos);  // the cursor is now on the added row
      FAdicionadasNoMes.push_back(std::move(chave));
    }
    FMensal.Edit();
    coluna->SetAsFloat(campos.Movimento->AsFloat());
    FMensal.Post();
    if (progresso) progresso->IncProgressoParcial(0);
  }
}

void TnFusaoMensal::Concluir() {
  for (const std::vector<TValor>& chave : FAdicionadasNoMes) {
    if (!FMensal.FindKey(chave)) continue;
    double saldo = FSaldoAnterior->AsFloat();
    for (int mes = 1; mes <= FColunas.Meses; ++mes) saldo = RoundValor(saldo + Mes(mes)->AsFloat(), kCasasCentavos);
    FMensal.Edit();
    FSaldoFinal->SetAsFloat(saldo);
    FMensal.Post();
  }
  FAdicionadasNoMes.clear();
}

void TnFusaoMensal::Preencher(const std::vector<TDateTime>& meses, const TnCargaBalancete& carregar) {
  if (static_cast<int>(meses.size()) != FColunas.Meses)
    throw std::invalid_argument("Acompanhamento mensal: um mês por coluna de meses.");
  if (meses.empty()) return;
  {
    TnBalanceteCustos periodo;
    CopiarPeriodo(carregar(periodo, meses.front(), EndOfTheMonth(meses.back())));
  }
  std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
  progresso->MostrarMultiplo();
  progresso->ConfigurarProgressoTotal(0, FColunas.Meses);
  progresso->SetTextos("Processando Balancete", "Processando intervalos");
  for (int mes = 1; mes <= FColunas.Meses; ++mes) {
    {
      TnBalanceteCustos carga;
      carga.SomenteMovimento = true;  // a month's row is always one of the period's: only its movement is taken
      const TDateTime inicio = meses[static_cast<size_t>(mes) - 1];
      SomarMes(mes, carregar(carga, inicio, EndOfTheMonth(inicio)), progresso.get());
    }
    progresso->IncProgressoTotal(0);
  }
  Concluir();
  progresso->Ocultar();
}
