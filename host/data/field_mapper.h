#pragma once
// Mapper objects: small structs whose members stand for dataset columns by name.
//   struct TMapperPagto : TnMapperBase { NCAMPO(QUEBRACAMPO); NCAMPO(CODIGOESCRIT); };
// A member reads like a TField* (m.QUEBRACAMPO->AsString()) and follows the
// dataset's current row. Binding matches member and column names ignoring case;
// a member whose column the dataset lacks raises
// "Campo 'X' não encontrado no conjunto de dados.", unless it is declared with
// NCAMPO_OPCIONAL (a column only some shapes of a query select): that one stays null.
#include <string>
#include <vector>

class TField;
class TnClientDataSet;

class TnMapperBase {
 public:
  TnMapperBase() = default;
  TnMapperBase(const TnMapperBase&) = delete;             // members register their own address
  TnMapperBase& operator=(const TnMapperBase&) = delete;
  virtual ~TnMapperBase() = default;

  struct TMembro {
    const char* Nome;                                     // member name = column name
    TField** Campo;                                       // where the bound field goes
    bool Opcional;                                        // left null when the column is absent
  };
  const std::vector<TMembro>& Membros() const { return FMembros; }  // in declaration order
  void Registrar(const char* nome, TField** campo, bool opcional = false) {
    FMembros.push_back({nome, campo, opcional});
  }

 private:
  std::vector<TMembro> FMembros;
};

// A mapper member: a field reference that registers itself with its mapper.
class TnCampoMapeado {
 public:
  TnCampoMapeado(TnMapperBase* dono, const char* nome, bool opcional = false) {
    dono->Registrar(nome, &FCampo, opcional);
  }
  TnCampoMapeado(const TnCampoMapeado&) = delete;
  TnCampoMapeado& operator=(const TnCampoMapeado&) = delete;
  TField* operator->() const { return FCampo; }           // m.X->AsString()
  operator TField*() const { return FCampo; }             // TField* f = m.X
  TField& operator*() const { return *FCampo; }

 private:
  TField* FCampo = nullptr;
};

#define NCAMPO(Nome) TnCampoMapeado Nome{this, #Nome}
#define NCAMPO_OPCIONAL(Nome) TnCampoMapeado Nome{this, #Nome, true}

class TnFieldMapper {
 public:
  void MapearFields(TnClientDataSet* ds, TnMapperBase* mapper) const;  // binds every member or throws (optional: null)
};

TnFieldMapper& FieldMapper();                             // the shared binder
