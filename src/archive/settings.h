#pragma once

#include <QString>

namespace tarvola {

// Every remembered value of the program: the settings file, section and key, and what a
// reader takes when the key (or the file) is missing.
struct SettingKey {
    const char* file;
    const char* section;
    const char* key;
    const char* fallback;
};

namespace settings {

inline constexpr const char* velmoraFile = "Velmora.ini";
inline constexpr const char* printFile = "Impostazioni.ini";

// Practice header and doctor of the prescription editor.
inline constexpr SettingKey denominazione{velmoraFile, "Intestazione Studio", "Denominazione", ""};
inline constexpr SettingKey rigo2{velmoraFile, "Intestazione Studio", "Rigo 2", ""};
inline constexpr SettingKey rigo3{velmoraFile, "Intestazione Studio", "Rigo 3", ""};
inline constexpr SettingKey rigo4{velmoraFile, "Intestazione Studio", "Rigo 4", ""};
inline constexpr SettingKey luogo{velmoraFile, "Intestazione Studio", "Luogo", ""};
inline constexpr SettingKey medico{velmoraFile, "Intestazione Studio", "Medico", ""};
inline constexpr SettingKey codiceMedico{velmoraFile, "Intestazione Studio", "Codice", ""};

// Prescription numbering.
inline constexpr SettingKey inizioNumerazione{velmoraFile, "Numerazione Prescrizioni", "Inizio",
                                              "1"};
inline constexpr SettingKey annoSolare{velmoraFile, "Numerazione Prescrizioni",
                                       "Indicazione Anno Solare", "No"};

// The four prescribing-doctor lines of the red prescription.
inline constexpr SettingKey medicoPrescrivente[4] = {
    {velmoraFile, "Ricetta Rossa", "Medico Prescrivente Rigo 1", ""},
    {velmoraFile, "Ricetta Rossa", "Medico Prescrivente Rigo 2", ""},
    {velmoraFile, "Ricetta Rossa", "Medico Prescrivente Rigo 3", ""},
    {velmoraFile, "Ricetta Rossa", "Medico Prescrivente Rigo 4", ""},
};

// The privacy consent form.
inline constexpr SettingKey privacyTitolare{velmoraFile, "Modulo Privacy", "Titolare", ""};
inline constexpr SettingKey privacyStudio{velmoraFile, "Modulo Privacy", "Studio Medico", ""};
inline constexpr SettingKey privacyComune{velmoraFile, "Modulo Privacy", "Comune Sede", ""};
inline constexpr SettingKey privacyProvincia{velmoraFile, "Modulo Privacy", "Provincia Sede", ""};
inline constexpr SettingKey privacyCap{velmoraFile, "Modulo Privacy", "Cap Sede", ""};
inline constexpr SettingKey privacyVia{velmoraFile, "Modulo Privacy", "Via Sede", ""};
inline constexpr SettingKey privacyCodFisc{velmoraFile, "Modulo Privacy", "Codice Fiscale Studio",
                                           ""};
inline constexpr SettingKey privacyIva{velmoraFile, "Modulo Privacy", "Partita Iva Studio", ""};
inline constexpr SettingKey privacyRecapiti{velmoraFile, "Modulo Privacy", "Recapiti Studio", ""};
inline constexpr SettingKey privacyLuogo{velmoraFile, "Modulo Privacy", "Luogo", ""};

// Red prescription printing: margins in whole millimetres (may be negative), orientation
// "Verticale" or "Orizzontale".
inline constexpr SettingKey margineSuperiore{printFile, "Margini Ricetta", "Superiore", "0"};
inline constexpr SettingKey margineSinistro{printFile, "Margini Ricetta", "Sinistro", "0"};
inline constexpr SettingKey orientamento{printFile, "Stampa Ricetta", "Orientamento", "Verticale"};

// The stored value, or the key's fallback when it is missing or empty.
QString read(const QString& programFolder, const SettingKey& key);

// Stores the value trimmed; false when the file cannot be written (the caller warns).
[[nodiscard]] bool write(const QString& programFolder, const SettingKey& key, const QString& value);

// The warning shown when a settings file cannot be written.
QString writeFailedMessage(const SettingKey& key);

} // namespace settings
} // namespace tarvola
