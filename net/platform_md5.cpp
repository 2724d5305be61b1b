#include "net/platform_md5.h"

#include <windows.h>
#include <wincrypt.h>

#include "utility/log.h"
#include "utility/scoped_handle.h"

namespace {

// CryptoAPI provider and hash objects; only this file uses them.
struct CryptProviderTraits {
  using Handle = HCRYPTPROV;
  static Handle invalid() { return 0; }
  static bool isValid(Handle h) { return h != 0; }
  static void close(Handle h) { ::CryptReleaseContext(h, 0); }
};
using ScopedCryptProvider = utility::ScopedGeneric<CryptProviderTraits>;

struct CryptHashTraits {
  using Handle = HCRYPTHASH;
  static Handle invalid() { return 0; }
  static bool isValid(Handle h) { return h != 0; }
  static void close(Handle h) { ::CryptDestroyHash(h); }
};
using ScopedCryptHash = utility::ScopedGeneric<CryptHashTraits>;

}  // namespace

namespace analytics {

std::string platformMd5Hex(const std::string& bytes) {
  ScopedCryptProvider provider;
  ScopedCryptHash hash;
  BYTE digest[16] = {};
  DWORD digestSize = sizeof digest;
  if (!::CryptAcquireContextW(provider.receive(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) ||
      !::CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.receive()) ||
      !::CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) ||
      !::CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &digestSize, 0) || digestSize != sizeof digest) {
    writeLog("analytics::platformMd5Hex", __LINE__, L"md5 failed, lastError = %d", static_cast<int>(::GetLastError()));
    return {};
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (BYTE b : digest) {
    hex += kHex[b >> 4];
    hex += kHex[b & 15];
  }
  return hex;
}

}  // namespace analytics
