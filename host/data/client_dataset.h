#pragma once
// The in-memory dataset every query result is read through: typed columns,
// a cursor over an index order (fields joined by ";"), key lookup and ranges.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "host/core/valor.h"

enum TFieldType { ftString, ftInteger, ftLargeint, ftFloat, ftDate, ftDateTime, ftBlob };
enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TnClientDataSet;
class TnDMConexao;
class TnMapperBase;

// One column of the dataset, read and written at the current row.
class TField {
 public:
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;
  const std::string& FieldName() const { return FNome; }   // column name as the query gave it
  TFieldType DataType() const { return FTipo; }            // storage type
  int Size() const { return FTamanho; }                    // characters of a text field, 0 = unlimited
  int Index() const { return FIndice; }                    // position, from 0
  bool Required() const { return FObrigatorio; }           // Post refuses a null
  bool IsNull() const;                                     // no value in the current row
  std::string AsString() const;                            // text; dates "DD/MM/YYYY"; null is empty
  std::string DisplayText() const { return AsString(); }   // what a layout shows
  double AsFloat() const;                                  // number; null is 0
  int AsInteger() const;                                   // reals rounded half away from zero; null is 0
  int64_t AsLargeInt() const;                              // as AsInteger, 64 bits
  TDateTime AsDateTime() const;                            // date; null is 0
  std::string AsBytes() const;                             // raw content of a blob (or text)
  TValor Value() const;                                    // typed value, null when null
  void SetAsString(const std::string& v);                  // converted to the field's type
  void SetAsFloat(double v);                               // converted to the field's type
  void SetAsInteger(int64_t v);                            // converted to the field's type
  void SetAsDateTime(TDateTime v);                         // converted to the field's type
  void SetValue(const TValor& v);                          // converted; a null value clears
  void Clear();                                            // sets null

 private:
  friend class TnClientDataSet;
  TField(TnClientDataSet* ds, std::string nome, TFieldType tipo, int tamanho, bool obrigatorio, int indice)
      : FDataSet(ds), FNome(std::move(nome)), FTipo(tipo), FTamanho(tamanho), FObrigatorio(obrigatorio), FIndice(indice) {}
  TnClientDataSet* FDataSet;
  std::string FNome;
  TFieldType FTipo;
  int FTamanho;
  bool FObrigatorio;
  int FIndice;
};

// Where a query result came from, so RefreshSQL can run it again.
struct TnOrigemSQL {
  std::string Sql;                 // statement text as the caller wrote it
  TnDMConexao* Conexao = nullptr;  // null: the current connection
  int MaxLinhas = -1;              // -1: every row
  bool SomenteLeitura = true;      // read-only transaction
};

class TnClientDataSet {
 public:
  TnClientDataSet();
  ~TnClientDataSet();
  TnClientDataSet(const TnClientDataSet&) = delete;
  TnClientDataSet& operator=(const TnClientDataSet&) = delete;

  // Structure
  void AddFieldDef(const std::string& nome, TFieldType tipo, int tamanho = 0, bool obrigatorio = false);  // before CreateDataSet
  void CreateDataSet();                                    // builds the fields, opens empty
  bool Active() const { return FEstado != TDataSetState::dsInactive; }  // opened
  int FieldCount() const { return static_cast<int>(FCampos.size()); }  // number of fields
  TField* Fields(int i) const;                             // by position; throws when out of range
  TField* FindField(const std::string& nome) const;        // by name, case ignored; null when absent
  TField* FieldByName(const std::string& nome) const;      // as FindField; throws naming the field
  std::string Name;                                        // optional name, for messages

  // Cursor
  void First();                                            // first row, Bof
  void Next();                                             // next row, Eof after the last
  void Prior();                                            // previous row, Bof before the first
  void Last();                                             // last row, Eof
  bool Eof() const { return FEof; }                        // moved past the last row (or empty)
  bool Bof() const { return FBof; }                        // moved before the first row (or empty)
  bool IsEmpty() const { return RecordCount() == 0; }      // no row in view
  int RecordCount() const;                                 // rows in view (the range, when set)
  int RecNo() const;                                       // current row in view, from 1; 0 when empty
  void SetRecNo(int n);                                    // moves to row n of the view

  // Editing
  TDataSetState State() const { return FEstado; }          // browse, edit or insert
  void Append();                                           // new empty row, insert state
  void Edit();                                             // edit the current row
  void Post();                                             // stores the edited or new row
  void Cancel();                                           // drops the pending edit
  void EmptyDataSet();                                     // removes every row, keeps fields and index
  void SetLogChanges(bool registrar) { FLogChanges = registrar; }  // no change log is kept either way
  bool LogChanges() const { return FLogChanges; }          // last value set

  // Index, key lookup and ranges
  void SetIndexFieldNames(const std::string& nomes);       // "A;B": stable sort, nulls first; cancels a range
  const std::string& IndexFieldNames() const { return FNomesIndice; }  // current index list
  bool FindKey(const std::vector<TValor>& chave);          // first row matching the leading index fields
  void SetRange(const std::vector<TValor>& inicio, const std::vector<TValor>& fim);  // applied at once, First
  void CancelRange();                                      // the whole index again, same row
  bool RangeAtivo() const { return FRangeAtivo; }          // a range is in force

  // Mapper objects owned by this dataset, one per mapper class
  TnMapperBase* MapperEmCache(std::type_index tipo) const;                  // null when not made yet
  TnMapperBase* GuardarMapper(std::type_index tipo, std::unique_ptr<TnMapperBase> m);  // takes it, returns it

  // Bulk load by the data layer: rows in fetch order, no edit state
  void IniciarCarga(size_t linhasPrevistas);               // after CreateDataSet
  void CarregarNulo(int coluna);                           // null in the open row
  void CarregarInteiro(int coluna, int64_t v);             // integer column value
  void CarregarReal(int coluna, double v);                 // float, date or date-time column value
  void CarregarTexto(int coluna, std::string_view v);      // text or blob column value
  void FecharLinha();                                      // the row is complete
  void TerminarCarga();                                    // applies the index, goes First
  void TrocarDados(TnClientDataSet&& novo);                // takes novo's rows; keeps fields when the shape matches
  const TnOrigemSQL& Origem() const { return FOrigem; }    // query this dataset came from
  void DefinirOrigem(TnOrigemSQL origem) { FOrigem = std::move(origem); }

 private:
  friend class TField;
  struct TDados;
  TValor LerValor(int coluna) const;
  void GravarValor(int coluna, TValor v);
  int LinhaAtual() const;                                  // physical row, -1 when none
  void Ordenar();
  void ReposicionarEm(size_t posicao);                     // cursor to a place in the index order
  void AplicarRange();
  void VerificarAtivo() const;

  std::unique_ptr<TDados> FDados;
  std::vector<std::unique_ptr<TField>> FCampos;
  TDataSetState FEstado = TDataSetState::dsInactive;
  std::string FNomesIndice;
  bool FRangeAtivo = false, FLogChanges = true, FEof = true, FBof = true;
  int FPos = -1;  // position inside the view
  TnOrigemSQL FOrigem;
};
