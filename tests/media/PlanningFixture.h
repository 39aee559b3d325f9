#ifndef ZOLINS_TESTS_MEDIA_PLANNING_FIXTURE_H
#define ZOLINS_TESTS_MEDIA_PLANNING_FIXTURE_H

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ZOLINSInstToc.h"
#include "ZOLINSMediaToc.h"
#include "support/TestSupport.h"
#include "support/TocBuilder.h"

namespace zoltest {

// A media TOC line for `e` at order number `order` on medium `medium`, with its archive size.
inline std::string At(const E& e, int order, unsigned archive = 0,
                      const std::string& medium = "A") {
  return e.MediaLine(medium, order, archive) + "\n";
}

// What a planning call handed back, its arrays already released.
struct Plan {
  long long result = 0;
  unsigned nb = 12345;  // stays so when the call does not set it
  bool namesHandedOut = false;
  std::vector<std::string> names;
  std::string media;
  unsigned nbMet = 777;
  std::vector<std::string> met;
};

// Requested names in 48-byte buffers.
class Names {
 public:
  Names(const std::vector<std::string>& names) : buffers_(names.size()) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      buffers_[i].fill('\0');
      names[i].copy(buffers_[i].data(), ZOLINS_NAME_SIZE - 1);
    }
  }
  char (*get())[ZOLINS_NAME_SIZE] {
    return buffers_.empty() ? nullptr
                            : reinterpret_cast<char(*)[ZOLINS_NAME_SIZE]>(buffers_.data());
  }
  unsigned size() const { return static_cast<unsigned>(buffers_.size()); }

 private:
  std::vector<std::array<char, ZOLINS_NAME_SIZE>> buffers_;
};

class Planning : public ::testing::Test {
 protected:
  void SetUp() override { ZOLINSToc::sResetInfoMsg(); }
  void TearDown() override { ZOLINSToc::sClearInfoMsg(); }

  void LoadMedia(const std::string& text) {
    mediaPath = dir.Write("MEDIA.TOC", text);
    ZOLUnicodeString message;
    ASSERT_EQ(media->InitMedia(&mediaPath[0], message), 1) << message.str();
  }
  void LoadInstalled(const std::string& text) {
    presentPath = dir.Write("inst/control/PRESENT", text);
    inst = std::make_unique<ZOLINSInstToc>();
    ZOLUnicodeString message;
    ASSERT_EQ(inst->InitInst(&presentPath[0], message), 1) << message.str();
  }
  static std::string Info() { return oMsg ? oMsg->str() : std::string(); }

  Plan GetSize(const std::vector<std::string>& request, ZOLINSType type = ZOLINS_CODE,
               int archiveMode = 0, bool withMet = false) {
    Names names(request);
    Plan plan;
    char(*out)[ZOLINS_NAME_SIZE] = nullptr;
    char* ids = nullptr;
    char** met = nullptr;
    plan.result =
        media->GetSize(names.get(), names.size(), type, archiveMode, &plan.nb, out, inst.get(),
                       &ids, withMet ? &plan.nbMet : nullptr, withMet ? &met : nullptr);
    Collect(plan, out, ids);
    if (met) {
      for (unsigned i = 0; i < plan.nbMet; ++i) {
        plan.met.push_back(met[i]);
        std::free(met[i]);
      }
      std::free(met);
    }
    return plan;
  }
  Plan GetSizeGA(const std::vector<std::string>& request, ZOLUnicodeString& msg,
                 ZOLINSType type = ZOLINS_CODE) {
    Names names(request);
    Plan plan;
    char(*out)[ZOLINS_NAME_SIZE] = nullptr;
    char* ids = nullptr;
    plan.result = static_cast<long long>(
        media->GetSizeGA(names.get(), names.size(), type, &plan.nb, out, msg, inst.get(), &ids));
    Collect(plan, out, ids);
    return plan;
  }
  Plan GetSizeSPK(const std::string& name, ZOLUnicodeString& msg) {
    std::string copy(name);
    Plan plan;
    char(*out)[ZOLINS_NAME_SIZE] = nullptr;
    char* ids = nullptr;
    plan.result = static_cast<long long>(
        media->GetSizeSPK(&copy[0], ZOLINS_CODE, &plan.nb, out, msg, inst.get(), &ids));
    Collect(plan, out, ids);
    return plan;
  }

  static void Collect(Plan& plan, char (*out)[ZOLINS_NAME_SIZE], char* ids) {
    plan.namesHandedOut = out != nullptr;
    for (unsigned i = 0; out && i < plan.nb; ++i) plan.names.push_back(out[i]);
    for (unsigned i = 0; ids && i < plan.nb; ++i) plan.media.push_back(ids[i]);
    delete[] out;
    delete[] ids;
  }

  using V = std::vector<std::string>;
  static constexpr long long kAllBits =
      -1;  // an unsigned long long with all bits set, as read back

  ScopedEnv noCatalogue{"ZOL_MSGCAT_PATH", nullptr};
  TempDir dir;
  std::string mediaPath, presentPath;
  std::unique_ptr<ZOLINSMediaToc> media = std::make_unique<ZOLINSMediaToc>();
  std::unique_ptr<ZOLINSInstToc> inst;
};

}  // namespace zoltest

#endif
