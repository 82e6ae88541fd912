// The C interface without a network: version, initialisation, options,
// plug-ins, error codes and messages, and calls with bad handles.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <string>

#include "audiolib/src/Library.h"
#include "audiolib/bass.h"

using audiolib::Library;

class ApiTest : public ::testing::Test {
 protected:
  void TearDown() override {
    BASS_Free();
    Library::Instance().SetOutput(nullptr);
  }
};

TEST_F(ApiTest, VersionHighWordIs0204) { EXPECT_EQ(BASS_GetVersion() >> 16, 0x0204u); }

TEST_F(ApiTest, InitOnceFreeOnce) {
  EXPECT_FALSE(BASS_Free());
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
  EXPECT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
  EXPECT_FALSE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
  EXPECT_TRUE(BASS_Free());
  EXPECT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr)) << "usable again after BASS_Free";
}

TEST_F(ApiTest, InitWithoutAnOutputDeviceFailsWithDeviceCode) {
  Library::Instance().SetOutput(audiolib::NullOutputBackend(1.0, false));
  EXPECT_FALSE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
  EXPECT_FALSE(BASS_Init(-5, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
}

TEST_F(ApiTest, KnownOptionsAreAcceptedUnknownOnesRefused) {
  EXPECT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 1));
  EXPECT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_PREBUF, 0));
  EXPECT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_TIMEOUT, 3000));
  EXPECT_FALSE(BASS_SetConfig(BASS_CONFIG_NET_TIMEOUT, 0));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  EXPECT_FALSE(BASS_SetConfig(12345, 1));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLTYPE);
  EXPECT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_TIMEOUT, 5000));
}

TEST_F(ApiTest, MissingPluginGivesZeroAndACode) {
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_PluginLoad("basswma.dll", 0), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
  EXPECT_EQ(BASS_PluginLoad(nullptr, 0), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
}

TEST_F(ApiTest, StreamsNeedInitAndAValidAddress) {
  EXPECT_EQ(BASS_StreamCreateURL("http://127.0.0.1:1/", 0, BASS_STREAM_STATUS, nullptr, nullptr),
            0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_StreamCreateURL(nullptr, 0, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  EXPECT_EQ(BASS_StreamCreateURL("radio", 0, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_URL);
}

TEST_F(ApiTest, EveryCallOnAnUnknownHandleFailsCleanly) {
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  for (DWORD h : {0u, 12345u}) {
    EXPECT_FALSE(BASS_StreamFree(h));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(BASS_StreamGetFilePosition(h, BASS_FILEPOS_END), QWORD(-1));
    EXPECT_EQ(BASS_ChannelGetTags(h, BASS_TAG_META), nullptr);
    EXPECT_EQ(BASS_ChannelIsActive(h), DWORD(BASS_ACTIVE_STOPPED));
    EXPECT_EQ(BASS_ChannelGetLevel(h), DWORD(-1));
    float fft[1024];
    EXPECT_EQ(BASS_ChannelGetData(h, fft, BASS_DATA_FFT2048), DWORD(-1));
    EXPECT_EQ(BASS_ChannelSetFX(h, BASS_FX_DX8_PARAMEQ, 1), 0u);
    EXPECT_FALSE(BASS_ChannelPlay(h, FALSE));
    BASS_CHANNELINFO info;
    EXPECT_FALSE(BASS_ChannelGetInfo(h, &info));
    EXPECT_FALSE(BASS_ChannelSetAttribute(h, BASS_ATTRIB_VOL, 0.5f));
    BASS_DX8_PARAMEQ p{};
    EXPECT_FALSE(BASS_FXSetParameters(h, &p));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
  }
}

TEST_F(ApiTest, EveryCodeHasItsOwnMessage) {
  std::string seen;
  for (int c = 0; c <= BASS_ERROR_MEM; ++c) {
    std::string text = BASS_ErrorGetText(c);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(seen.find("|" + text + "|"), std::string::npos) << c;
    seen += "|" + text + "|";
  }
  EXPECT_STREQ(BASS_ErrorGetText(BASS_ERROR_UNKNOWN), "unknown error");
  EXPECT_STREQ(BASS_ErrorGetText(999), "unknown error");
}

namespace {
// A network whose every connection attempt runs out of memory.
class ExhaustedNetwork : public audiolib::Network {
 public:
  std::unique_ptr<audiolib::Connection> Connect(const std::string&, int, int,
                                                const std::atomic<bool>&, audiolib::Err&) override {
    throw std::bad_alloc();
  }
};
} // namespace

TEST_F(ApiTest, AFailureInsideTheLibraryBecomesAnErrorCodeNotAnException) {
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
  Library::Instance().SetNetwork(std::make_shared<ExhaustedNetwork>());
  HSTREAM s = 0;
  EXPECT_NO_THROW(s = BASS_StreamCreateURL("http://127.0.0.1:1/", 0, 0, nullptr, nullptr));
  Library::Instance().SetNetwork(nullptr);
  EXPECT_EQ(s, 0u);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_MEM);
}
