#pragma once
// Pictures for layout image elements taken from picture (BLOB) fields.
#include <memory>

class TField;
class TnrwReport;
class TPicture;

// The picture held in a picture field; null when the field is null or empty.
// Bytes that are no picture give a picture that is not Valida (an empty frame).
std::shared_ptr<const TPicture> CarregarLogoEmpresa(TnrwReport* report, const TField* campo);
