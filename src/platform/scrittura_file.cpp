// Buffered writing and the replacement of a set of files as a whole.
#include "platform/scrittura_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/piattaforma.h"

namespace {

template <typename T>
void scrivi_le(scrittore& s, T v) {
  unsigned char byte[sizeof(T)];
  std::memcpy(byte, &v, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) {
    for (size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(byte[i], byte[sizeof(T) - 1 - i]);
  }
  scrivi_byte(s, byte, sizeof(T));
}

std::filesystem::path temporaneo_di(const std::filesystem::path& destinazione) {
  std::filesystem::path t = destinazione;
  t += std::string(suffisso_temporaneo);
  return t;
}

void rimuovi_temporanei(const std::vector<std::filesystem::path>& temporanei) {
  for (const auto& t : temporanei) {
    std::error_code ignorato;
    std::filesystem::remove(t, ignorato);
  }
}

std::optional<errore_file> scrivi_temporaneo(const file_da_scrivere& f,
                                             const std::filesystem::path& temporaneo) {
  errno = 0;
  std::FILE* file = apri_file(temporaneo, "wb");
  if (file == nullptr) {
    return errore_file{f.destinazione, std::strerror(errno != 0 ? errno : EIO)};
  }
  scrittore s;
  s.file = file;
  f.produci(s);
  svuota(s);
  if (s.errno_guasto == 0 && std::fflush(file) != 0) s.errno_guasto = errno != 0 ? errno : EIO;
  if (std::fclose(file) != 0 && s.errno_guasto == 0) s.errno_guasto = errno != 0 ? errno : EIO;
  if (s.errno_guasto != 0) return errore_file{f.destinazione, std::strerror(s.errno_guasto)};
  return std::nullopt;
}

}  // namespace

void svuota(scrittore& s) {
  if (s.usati == 0) return;
  if (s.errno_guasto == 0) {
    errno = 0;
    if (std::fwrite(s.blocco.get(), 1, s.usati, s.file) != s.usati) s.errno_guasto = errno != 0 ? errno : EIO;
  }
  s.usati = 0;
}

unsigned char* spazio(scrittore& s, size_t quanti) {
  if (quanti > s.capienza - s.usati) {
    if (s.capienza < dimensione_blocco) {
      // Grow first: a file shorter than the block goes out in one write.
      size_t nuova = std::max({s.capienza * 2, s.usati + quanti, size_t{4096}});
      nuova = std::min(nuova, dimensione_blocco);
      if (nuova >= s.usati + quanti) {
        std::unique_ptr<unsigned char[]> piu_grande(new unsigned char[nuova]);
        if (s.usati > 0) std::memcpy(piu_grande.get(), s.blocco.get(), s.usati);
        s.blocco = std::move(piu_grande);
        s.capienza = nuova;
        return s.blocco.get() + s.usati;
      }
    }
    svuota(s);
    if (quanti > s.capienza) {
      s.blocco.reset(new unsigned char[dimensione_blocco]);
      s.capienza = dimensione_blocco;
    }
  }
  return s.blocco.get() + s.usati;
}

void scrivi_byte_lento(scrittore& s, const void* dati, size_t quanti) {
  const auto* p = static_cast<const unsigned char*>(dati);
  while (quanti > 0) {
    const size_t parte = std::min(quanti, dimensione_blocco);
    std::memcpy(spazio(s, parte), p, parte);
    avanza(s, parte);
    p += parte;
    quanti -= parte;
  }
}

void scrivi_i16(scrittore& s, int16_t v) { scrivi_le(s, v); }
void scrivi_i32(scrittore& s, int32_t v) { scrivi_le(s, v); }
void scrivi_f64(scrittore& s, double v) { scrivi_le(s, v); }

std::string descrivi(const errore_file& e) { return testo_da_percorso(e.file) + ": " + e.motivo; }

std::optional<errore_file> sostituisci_file(std::span<const file_da_scrivere> insieme) {
  std::vector<std::filesystem::path> temporanei;
  for (const file_da_scrivere& f : insieme) {
    std::error_code stato;
    if (std::filesystem::is_directory(f.destinazione, stato)) {
      rimuovi_temporanei(temporanei);
      return errore_file{f.destinazione, std::strerror(EISDIR)};
    }
    temporanei.push_back(temporaneo_di(f.destinazione));
    if (auto errore = scrivi_temporaneo(f, temporanei.back())) {
      rimuovi_temporanei(temporanei);
      return errore;
    }
  }
  for (size_t i = 0; i < insieme.size(); ++i) {
    std::error_code errore;
    std::filesystem::rename(temporanei[i], insieme[i].destinazione, errore);
    if (errore) {
      rimuovi_temporanei(temporanei);
      return errore_file{insieme[i].destinazione, errore.message()};
    }
  }
  return std::nullopt;
}
