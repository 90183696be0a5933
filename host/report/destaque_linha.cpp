#include "host/report/destaque_linha.h"

#include "host/report/elementos.h"
#include "host/report/report.h"

void DestacarRotulosSecao(TnrwReport& report, int secao, bool negrito) {
  const TFontStyles estilo = negrito ? TFontStyles{fsBold} : TFontStyles{};
  for (int i = 0; i < report.GetObjectCount(); ++i) {
    TnpqObjeto* objeto = report.GetObjects(i);
    if (objeto->Secao != secao) continue;
    if (auto* rotulo = dynamic_cast<TnpqLabel*>(objeto)) rotulo->SetFontStyle(estilo);
  }
}
