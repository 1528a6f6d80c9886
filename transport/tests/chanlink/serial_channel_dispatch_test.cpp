#include "channel_bench.h"

namespace rx041::chanlink::testing {
namespace {

using com::InvokeKind;
using D = ISerialChannel::Dispid;

class SerialChannelDispatch : public ChannelBench {
 protected:
  HRESULT invoke(com::DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result = nullptr) {
    return channel->invoke(id, kind, args, result);
  }
  HRESULT put(com::DispId id, Variant value) {
    std::vector<Variant> args{std::move(value)};
    return invoke(id, InvokeKind::PropertyPut, args);
  }
  Variant get(com::DispId id) {
    std::vector<Variant> none;
    Variant result;
    EXPECT_EQ(invoke(id, InvokeKind::PropertyGet, none, &result), com::S_OK);
    return result;
  }
  Variant receiveByDispatch() {
    std::vector<Variant> args{std::int32_t{0}, std::int32_t{0}, Variant()};
    EXPECT_EQ(invoke(D::Receive, InvokeKind::Method, args), com::S_OK);
    return args[2];
  }
  HRESULT send(Variant data) {
    std::vector<Variant> args{std::move(data)};
    return invoke(D::Send, InvokeKind::Method, args);
  }
};

TEST_F(SerialChannelDispatch, CallsByIdBehaveAsDirectCalls) {
  EXPECT_EQ(put(D::Port, std::int32_t{256 + kPort}), com::S_OK);
  EXPECT_EQ(get(D::Port), Variant(std::int32_t{kPort}));
  EXPECT_EQ(put(D::Connected, com::VariantBool{com::VARIANT_TRUE}), com::S_OK);
  EXPECT_EQ(get(D::Connected), Variant(com::VariantBool{com::VARIANT_TRUE}));

  EXPECT_EQ(send("M1"), com::S_OK);
  EXPECT_EQ(line.readFor(100ms), "M1");
  line.write("reply");
  settle();
  EXPECT_EQ(receiveByDispatch(), Variant("reply"));
  EXPECT_TRUE(receiveByDispatch().isEmpty());

  line.write("stale");
  settle();
  std::vector<Variant> none;
  EXPECT_EQ(invoke(D::ClearReceiveBuf, InvokeKind::Method, none), com::S_OK);
  EXPECT_TRUE(receiveByDispatch().isEmpty());

  {
    OperatorMessages messages;
    EXPECT_EQ(send(std::int32_t{12}), com::S_OK);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Not recognized type by SerialChannel send"});
  }

  EXPECT_EQ(put(D::Connected, com::VariantBool{1}), com::S_OK);
  EXPECT_EQ(get(D::Connected), Variant(com::VariantBool{com::VARIANT_FALSE}));
}

TEST(SerialChannelMembers, UnimplementedMembersAndNullOutputsAreRefused) {
  auto channel = createSerialChannel();
  ASSERT_TRUE(channel);
  std::int32_t number = 42;
  VARIANT_BOOL flag = 1;
  EXPECT_EQ(channel->get_BytesInBuffer(&number), com::E_NOTIMPL);
  EXPECT_EQ(channel->get_BufferSize(&number), com::E_NOTIMPL);
  EXPECT_EQ(channel->put_BufferSize(1024), com::E_NOTIMPL);
  EXPECT_EQ(channel->get_Busy(&flag), com::E_NOTIMPL);
  EXPECT_EQ(channel->put_Busy(com::VARIANT_TRUE), com::E_NOTIMPL);
  EXPECT_EQ(number, 42);
  EXPECT_EQ(flag, 1);

  EXPECT_EQ(channel->get_BytesInBuffer(nullptr), com::E_POINTER);
  EXPECT_EQ(channel->get_BufferSize(nullptr), com::E_POINTER);
  EXPECT_EQ(channel->get_Busy(nullptr), com::E_POINTER);
  EXPECT_EQ(channel->get_Connected(nullptr), com::E_POINTER);
  EXPECT_EQ(channel->get_Port(nullptr), com::E_POINTER);
  EXPECT_EQ(channel->Receive(0, 0, nullptr), com::E_POINTER);
  EXPECT_EQ(channel->ReceiveAsync(0, 0, nullptr), com::E_POINTER);

  Variant data("untouched");
  EXPECT_EQ(channel->ReceiveAsync(10, 10, &data), com::S_OK);
  EXPECT_EQ(data, Variant("untouched"));

  std::vector<Variant> none;
  Variant result;
  EXPECT_EQ(channel->invoke(D::BytesInBuffer, InvokeKind::PropertyGet, none, &result), com::E_NOTIMPL);
}

}  // namespace
}  // namespace rx041::chanlink::testing
