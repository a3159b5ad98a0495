#pragma once
// The host side of the list files: the records the panel reads, written from UTF-8 entries. Hosts
// and the sample generator share it so the layout lives in one place.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quindel::hostkit {

// One entry of a list, UTF-8 texts.
struct VoceLista {
    std::string CodiceLemma, Cartella, NomeFileBlob, NomeFile, TipoFile, Descrizione, Didascalia;
};

// A field of the record: which text, and how many characters it takes.
struct CampoLista {
    std::string VoceLista::*Testo;
    std::int32_t Larghezza;
};

// The fields in record order; each starts where the previous one ends.
inline constexpr std::array<CampoLista, 7> kCampiLista{{
    {&VoceLista::CodiceLemma, 8},
    {&VoceLista::Cartella, 255},
    {&VoceLista::NomeFileBlob, 12},
    {&VoceLista::NomeFile, 12},
    {&VoceLista::TipoFile, 12},
    {&VoceLista::Descrizione, 255},
    {&VoceLista::Didascalia, 1024},
}};
inline constexpr std::size_t kLunghezzaRecordLista = 1578;

// The record of one entry in the system code page: texts cut or blank-padded to their width in
// characters and converted with ACodePage. Always kLunghezzaRecordLista bytes.
std::string RecordLista(const VoceLista& v);

// Writes the entries [primo, primo + quanti) (0-based, clamped to the vector) as a list file,
// replacing any previous content. `path` is a native path. False when it cannot be written.
bool ScriviListaFile(const std::string& path, const std::vector<VoceLista>& voci,
                     std::size_t primo = 0, std::size_t quanti = SIZE_MAX);

}  // namespace quindel::hostkit
