#pragma once
// The mapper object of class T that belongs to a dataset: made and bound on the
// first request, the same object afterwards; the dataset owns and frees it.
#include <memory>
#include <typeindex>

#include "host/data/client_dataset.h"
#include "host/data/field_mapper.h"

template <class T>
T* Mapper(TnClientDataSet* ds) {
  static_assert(std::is_base_of_v<TnMapperBase, T>, "um mapper deriva de TnMapperBase");
  if (TnMapperBase* existente = ds->MapperEmCache(std::type_index(typeid(T))))
    return static_cast<T*>(existente);
  auto novo = std::make_unique<T>();
  FieldMapper().MapearFields(ds, novo.get());  // throws before anything is cached
  return static_cast<T*>(ds->GuardarMapper(std::type_index(typeid(T)), std::move(novo)));
}
