#include "host/report/imagens.h"

#include <string>

#include "host/data/client_dataset.h"
#include "host/render/picture.h"

std::shared_ptr<const TPicture> CarregarLogoEmpresa(TnrwReport*, const TField* campo) {
  if (!campo || campo->IsNull()) return nullptr;
  std::string bytes = campo->AsBytes();
  if (bytes.empty()) return nullptr;
  return TPicture::DeBytes(std::move(bytes));
}
