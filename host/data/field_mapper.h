#pragma once
// Mapper objects: small structs whose members stand for dataset columns by name.
//   struct TMapperPagto : TnMapperBase { NCAMPO(QUEBRACAMPO); NCAMPO(CODIGOESCRIT); };
// A member reads like a TField* (m.QUEBRACAMPO->AsString()) and follows the
// dataset's current row. Binding matches member and column names ignoring case;
// a member whose column the dataset lacks raises
// "Campo 'X' não encontrado no conjunto de dados.".
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
  };
  const std::vector<TMembro>& Membros() const { return FMembros; }  // in declaration order
  void Registrar(const char* nome, TField** campo) { FMembros.push_back({nome, campo}); }

 private:
  std::vector<TMembro> FMembros;
};

// A mapper member: a field reference that registers itself with its mapper.
class TnCampoMapeado {
 public:
  TnCampoMapeado(TnMapperBase* dono, const char* nome) { dono->Registrar(nome, &FCampo); }
  TnCampoMapeado(const TnCampoMapeado&) = delete;
  TnCampoMapeado& operator=(const TnCampoMapeado&) = delete;
  TField* operator->() const { return FCampo; }           // m.X->AsString()
  operator TField*() const { return FCampo; }             // TField* f = m.X
  TField& operator*() const { return *FCampo; }

 private:
  TField* FCampo = nullptr;
};

#define NCAMPO(Nome) TnCampoMapeado Nome{this, #Nome}

class TnFieldMapper {
 public:
  void MapearFields(TnClientDataSet* ds, TnMapperBase* mapper) const;  // binds every member or throws
};

TnFieldMapper& FieldMapper();                             // the shared binder
