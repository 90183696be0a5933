#pragma once
// The monthly dataset of the monthly tracking reports (costs, inputs): one row per key
// (company, development, structure item and, for inputs, the input) with its movement in
// each month of a period, merged from one balance load for the whole period and one load
// per month (the datasets of TnBalanceteCustos, or any dataset with those columns).
//
// The report creates the monthly dataset with its columns; the merge addresses them by
// positions looked up once, keeps no change log and finds each row by one key lookup.
#include <functional>
#include <string>
#include <vector>

#include "host/core/valor.h"

class TField;
class TnBalanceteCustos;
class TnClientDataSet;
class TnFraProgresso;

// Which columns the merge reads and writes; a load's columns are named as the monthly ones.
struct TnColunasFusaoMensal {
  std::vector<std::string> Chave;    // 3 or 4 key columns ("CODIGOESCRIT", "CODIGOEMPREEND", "CODIGOESTRUTURA"[, "INSUMO"])
  std::vector<std::string> Textos;   // the other columns copied when a row is added ("NOMEEMPRE", ...)
  std::string SaldoFinal;            // the monthly column taking a load's SALDO ("SALDO", "TOTAL")
  std::string PrimeiroMes;           // the first of the month columns, which follow it in period order
  int Meses = 0;                     // number of month columns
};

// One balance load: sets the entity's inputs for [inicio, fim] (the first day of a month,
// the last instant of a month), loads it and returns the dataset to merge (the entity's).
using TnCargaBalancete = std::function<TnClientDataSet&(TnBalanceteCustos& entidade, TDateTime inicio, TDateTime fim)>;

class TnFusaoMensal {
 public:
  // mensal: open, empty, with every named column plus SALDOANTERIOR; text key columns hold
  // "" for an absent value (a null from a load is stored and looked up as ""), never null.
  TnFusaoMensal(TnClientDataSet& mensal, TnColunasFusaoMensal colunas);
  TnFusaoMensal(const TnFusaoMensal&) = delete;
  TnFusaoMensal& operator=(const TnFusaoMensal&) = delete;

  // One row per row of the period's load, in its order: key, texts, SALDOANTERIOR and the
  // final balance from it, every other number 0. Then orders the monthly dataset by the key.
  void CopiarPeriodo(TnClientDataSet& periodo);
  // Month mes (from 1) of the period: each row's MOVIMENTO into that month column of the
  // monthly row of its key; a key the monthly dataset lacks adds its row from this load
  // first. With progresso, its partial bar runs over the load's rows.
  void SomarMes(int mes, TnClientDataSet& carga, TnFraProgresso* progresso = nullptr);
  // After the last month: a row first seen in a month load ends at its SALDOANTERIOR plus
  // the sum of its month columns (rounded to cents at each addition), so a later month's
  // movement reaches its final balance. Rows of the period load keep the period's balance.
  void Concluir();

  // The whole fill, FIntervalo + 1 loads, each on a new entity freed as soon as its rows are
  // copied (also when a load or the copy raises): the period from meses' first day to the
  // end of the last month (CopiarPeriodo), then each month (SomarMes, the entity set to
  // SomenteMovimento: every month row is one of the period's rows) under a two-bar
  // progress display ("Processando Balancete", "Processando intervalos"), then Concluir.
  // meses: the first day of each month column, in period order.
  void Preencher(const std::vector<TDateTime>& meses, const TnCargaBalancete& carregar);

 private:
  struct TCamposCarga;
  std::vector<TValor> ChaveDe(const TCamposCarga& carga) const;
  void Adicionar(const TCamposCarga& carga);
  TField* Mes(int mes) const;

  TnClientDataSet& FMensal;
  TnColunasFusaoMensal FColunas;
  std::vector<TField*> FChave, FTextos;
  std::vector<TField*> FNumeros;                       // number columns, 0 in an added row
  TField* FSaldoAnterior;
  TField* FSaldoFinal;
  int FPrimeiroMes;
  std::vector<std::vector<TValor>> FAdicionadasNoMes;  // keys of the rows a month load added
};
