#include "host/data/field_mapper.h"

#include "host/data/client_dataset.h"

void TnFieldMapper::MapearFields(TnClientDataSet* ds, TnMapperBase* mapper) const {
  for (const auto& m : mapper->Membros()) *m.Campo = ds->FieldByName(m.Nome);
}

TnFieldMapper& FieldMapper() {
  static TnFieldMapper mapper;
  return mapper;
}
