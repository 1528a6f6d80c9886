#pragma once
// The interfaces of the channel library Chanlink ("Chanlink 1.0 Type Library").
// Callers outside the library use only these declarations and create the
// objects by ProgID: "Chanlink.SerialChannel", "Chanlink.CommManager",
// "Chanlink.MPTChannel".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rx041/component/dispatch.h"

namespace rx041::chanlink {

using com::HRESULT;
using com::Variant;
using com::VARIANT_BOOL;

// "Port select": COM1 = 1 .. COM8 = 8; any byte value is stored.
enum SerialPortNumber : std::int32_t { COM1 = 1, COM2, COM3, COM4, COM5, COM6, COM7, COM8 };

// "IMPTChannel Interface".
class IMPTChannel : public com::IDispatch {
 public:
  struct Dispid {
    static constexpr com::DispId BytesInBuffer = 1;
    static constexpr com::DispId BufferSize = 2;
    static constexpr com::DispId Connected = 3;
    static constexpr com::DispId Busy = 4;
    static constexpr com::DispId Send = 0x13;
    static constexpr com::DispId Receive = 0x15;
    static constexpr com::DispId ReceiveAsync = 0x16;
  };

  virtual HRESULT get_BytesInBuffer(std::int32_t* pVal) = 0;
  virtual HRESULT get_BufferSize(std::int32_t* pVal) = 0;
  virtual HRESULT put_BufferSize(std::int32_t newVal) = 0;
  virtual HRESULT get_Connected(VARIANT_BOOL* pVal) = 0;
  virtual HRESULT put_Connected(VARIANT_BOOL newVal) = 0;
  virtual HRESULT get_Busy(VARIANT_BOOL* pVal) = 0;
  virtual HRESULT put_Busy(VARIANT_BOOL newVal) = 0;
  virtual HRESULT Send(const Variant& Data) = 0;
  virtual HRESULT Receive(std::int32_t NrBytes, std::int32_t ResponseTimeout, Variant* Data) = 0;
  virtual HRESULT ReceiveAsync(std::int32_t NrBytes, std::int32_t ResponseTimeout, Variant* Data) = 0;

  HRESULT invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) override;
  const com::InterfaceInfo& interfaceInfo() const override;
};

// "ISerialChannel Interface": IMPTChannel plus the port members.
class ISerialChannel : public IMPTChannel {
 public:
  struct Dispid : IMPTChannel::Dispid {
    static constexpr com::DispId Load = 0x2C;
    static constexpr com::DispId Port = 0x46;
    static constexpr com::DispId ClearReceiveBuf = 0x47;
  };

  virtual HRESULT Load(std::shared_ptr<com::IDispatch> pStorage) = 0;
  virtual HRESULT get_Port(SerialPortNumber* pVal) = 0;
  virtual HRESULT put_Port(SerialPortNumber newVal) = 0;
  virtual HRESULT ClearReceiveBuf() = 0;

  HRESULT invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) override;
  const com::InterfaceInfo& interfaceInfo() const override;
};

// "ICommManager Interface".
class ICommManager : public com::IDispatch {
 public:
  struct Dispid {
    static constexpr com::DispId Channels = 1;
    static constexpr com::DispId Devices = 2;
    static constexpr com::DispId Name = 3;
    static constexpr com::DispId GetVersion = 4;
    static constexpr com::DispId GetVersionStr = 5;
    static constexpr com::DispId Quit = 6;
  };

  virtual HRESULT get_Channels(std::shared_ptr<com::IDispatch>* pVal) = 0;
  virtual HRESULT get_Devices(std::shared_ptr<com::IDispatch>* pVal) = 0;
  virtual HRESULT get_Name(std::string* pVal) = 0;
  virtual HRESULT GetVersion(std::int32_t* pMajor, std::int32_t* pMinor) = 0;
  virtual HRESULT GetVersionStr(std::string* pVal) = 0;
  virtual HRESULT Quit() = 0;

  HRESULT invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) override;
  const com::InterfaceInfo& interfaceInfo() const override;
};

// Dispatch tables. Defined inline so that every module that uses an interface
// carries its type information without linking the library that implements it.
namespace detail {

using com::arg;
using com::DispatchTable;
using com::InvokeKind;
using com::VarType;

template <class I>
HRESULT getLong(HRESULT (I::*getter)(std::int32_t*), I& self, Variant* result) {
  std::int32_t value = 0;
  const HRESULT hr = (self.*getter)(&value);
  *result = value;
  return hr;
}

template <class I>
HRESULT getBool(HRESULT (I::*getter)(VARIANT_BOOL*), I& self, Variant* result) {
  VARIANT_BOOL value = com::VARIANT_FALSE;
  const HRESULT hr = (self.*getter)(&value);
  *result = com::VariantBool{value};
  return hr;
}

// The ten members every channel has, for the table of I (IMPTChannel or a derived interface).
template <class I>
std::vector<typename DispatchTable<I>::Entry> channelMembers() {
  using D = IMPTChannel::Dispid;
  return {
      {{"BytesInBuffer", D::BytesInBuffer, InvokeKind::PropertyGet, {}, VarType::I4},
       [](I& s, std::span<Variant>, Variant* r) {
         return getLong<IMPTChannel>(&IMPTChannel::get_BytesInBuffer, s, r);
       }},
      {{"BufferSize", D::BufferSize, InvokeKind::PropertyGet, {}, VarType::I4},
       [](I& s, std::span<Variant>, Variant* r) { return getLong<IMPTChannel>(&IMPTChannel::get_BufferSize, s, r); }},
      {{"BufferSize", D::BufferSize, InvokeKind::PropertyPut, {}, VarType::I4},
       [](I& s, std::span<Variant> a, Variant*) { return s.put_BufferSize(arg<std::int32_t>(a, 0)); }},
      {{"Connected", D::Connected, InvokeKind::PropertyGet, {}, VarType::Bool},
       [](I& s, std::span<Variant>, Variant* r) { return getBool<IMPTChannel>(&IMPTChannel::get_Connected, s, r); }},
      {{"Connected", D::Connected, InvokeKind::PropertyPut, {}, VarType::Bool},
       [](I& s, std::span<Variant> a, Variant*) { return s.put_Connected(arg<com::VariantBool>(a, 0).value); }},
      {{"Busy", D::Busy, InvokeKind::PropertyGet, {}, VarType::Bool},
       [](I& s, std::span<Variant>, Variant* r) { return getBool<IMPTChannel>(&IMPTChannel::get_Busy, s, r); }},
      {{"Busy", D::Busy, InvokeKind::PropertyPut, {}, VarType::Bool},
       [](I& s, std::span<Variant> a, Variant*) { return s.put_Busy(arg<com::VariantBool>(a, 0).value); }},
      {{"Send", D::Send, InvokeKind::Method, {{"Data", VarType::Any}}},
       [](I& s, std::span<Variant> a, Variant*) { return s.Send(a[0]); }},
      {{"Receive",
        D::Receive,
        InvokeKind::Method,
        {{"NrBytes", VarType::I4}, {"ResponseTimeout", VarType::I4}, {"Data", VarType::Any, true}}},
       [](I& s, std::span<Variant> a, Variant*) {
         return s.Receive(arg<std::int32_t>(a, 0), arg<std::int32_t>(a, 1), &a[2]);
       }},
      {{"ReceiveAsync",
        D::ReceiveAsync,
        InvokeKind::Method,
        {{"NrBytes", VarType::I4}, {"ResponseTimeout", VarType::I4}, {"Data", VarType::Any, true}}},
       [](I& s, std::span<Variant> a, Variant*) {
         return s.ReceiveAsync(arg<std::int32_t>(a, 0), arg<std::int32_t>(a, 1), &a[2]);
       }},
  };
}

inline const DispatchTable<IMPTChannel>& mptChannelTable() {
  static const DispatchTable<IMPTChannel> table("IMPTChannel", "IMPTChannel Interface", channelMembers<IMPTChannel>());
  return table;
}

inline const DispatchTable<ISerialChannel>& serialChannelTable() {
  using D = ISerialChannel::Dispid;
  static const DispatchTable<ISerialChannel> table = [] {
    std::vector<DispatchTable<ISerialChannel>::Entry> entries = channelMembers<ISerialChannel>();
    entries.push_back({{"Load", D::Load, InvokeKind::Method, {{"pStorage", VarType::Dispatch}}},
                       [](ISerialChannel& s, std::span<Variant> a, Variant*) { return s.Load(a[0].toDispatch()); }});
    entries.push_back({{"Port", D::Port, InvokeKind::PropertyGet, {}, VarType::I4},
                       [](ISerialChannel& s, std::span<Variant>, Variant* r) {
                         SerialPortNumber port{};
                         const HRESULT hr = s.get_Port(&port);
                         *r = static_cast<std::int32_t>(port);
                         return hr;
                       }});
    entries.push_back({{"Port", D::Port, InvokeKind::PropertyPut, {}, VarType::I4},
                       [](ISerialChannel& s, std::span<Variant> a, Variant*) {
                         return s.put_Port(static_cast<SerialPortNumber>(arg<std::int32_t>(a, 0)));
                       }});
    entries.push_back({{"ClearReceiveBuf", D::ClearReceiveBuf, InvokeKind::Method, {}},
                       [](ISerialChannel& s, std::span<Variant>, Variant*) { return s.ClearReceiveBuf(); }});
    return DispatchTable<ISerialChannel>("ISerialChannel", "ISerialChannel Interface", entries);
  }();
  return table;
}

inline const DispatchTable<ICommManager>& commManagerTable() {
  using D = ICommManager::Dispid;
  static const DispatchTable<ICommManager> table(
      "ICommManager", "ICommManager Interface",
      {
          {{"Channels", D::Channels, InvokeKind::PropertyGet, {}, VarType::Dispatch},
           [](ICommManager& s, std::span<Variant>, Variant* r) {
             std::shared_ptr<com::IDispatch> value;
             const HRESULT hr = s.get_Channels(&value);
             *r = value;
             return hr;
           }},
          {{"Devices", D::Devices, InvokeKind::PropertyGet, {}, VarType::Dispatch},
           [](ICommManager& s, std::span<Variant>, Variant* r) {
             std::shared_ptr<com::IDispatch> value;
             const HRESULT hr = s.get_Devices(&value);
             *r = value;
             return hr;
           }},
          {{"Name", D::Name, InvokeKind::PropertyGet, {}, VarType::String},
           [](ICommManager& s, std::span<Variant>, Variant* r) {
             std::string value;
             const HRESULT hr = s.get_Name(&value);
             *r = value;
             return hr;
           }},
          {{"GetVersion",
            D::GetVersion,
            InvokeKind::Method,
            {{"pMajor", VarType::I4, true}, {"pMinor", VarType::I4, true}}},
           [](ICommManager& s, std::span<Variant> a, Variant*) {
             // Seeded with the caller's values: the member may leave them untouched.
             std::int32_t major = a[0].toInt32().value_or(0), minor = a[1].toInt32().value_or(0);
             const HRESULT hr = s.GetVersion(&major, &minor);
             a[0] = major;
             a[1] = minor;
             return hr;
           }},
          {{"GetVersionStr", D::GetVersionStr, InvokeKind::Method, {{"pVal", VarType::String, true}}},
           [](ICommManager& s, std::span<Variant> a, Variant*) {
             std::string value = a[0].toString().value_or(std::string());
             const HRESULT hr = s.GetVersionStr(&value);
             a[0] = value;
             return hr;
           }},
          {{"Quit", D::Quit, InvokeKind::Method, {}},
           [](ICommManager& s, std::span<Variant>, Variant*) { return s.Quit(); }},
      });
  return table;
}

}  // namespace detail

inline HRESULT IMPTChannel::invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) {
  return detail::mptChannelTable().invoke(*this, id, kind, args, result);
}
inline const com::InterfaceInfo& IMPTChannel::interfaceInfo() const { return detail::mptChannelTable().info(); }

inline HRESULT ISerialChannel::invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) {
  return detail::serialChannelTable().invoke(*this, id, kind, args, result);
}
inline const com::InterfaceInfo& ISerialChannel::interfaceInfo() const { return detail::serialChannelTable().info(); }

inline HRESULT ICommManager::invoke(com::DispId id, com::InvokeKind kind, std::span<Variant> args, Variant* result) {
  return detail::commManagerTable().invoke(*this, id, kind, args, result);
}
inline const com::InterfaceInfo& ICommManager::interfaceInfo() const { return detail::commManagerTable().info(); }

// How a channel's port stands. Read beside the automation interface (it has no
// dispatch id): com::query<ISerialLine>(channel)->lineState(). `Connected`
// reads true after any connect request; this tells whether a port is behind it.
enum class LineState {
  Closed,     // not connected: the initial state, and after a disconnect
  Open,       // connected, the port open
  NoDevice,   // connected, but nothing is behind the port number (or it is 0)
  Busy,       // connected, but another program holds the port
  NotSerial,  // connected, but the port leads to something that is not a terminal
  NoAccess,   // connected, but the port may not be opened (permissions)
  Lost,       // the open port hung up or failed (a USB adapter unplugged): disconnect and connect again
};

class ISerialLine {
 public:
  virtual ~ISerialLine() = default;
  virtual LineState lineState() const = 0;
};

// What a channel has received and not yet handed out, taken without waiting
// (Receive waits for the first byte when nothing is there), as the bytes
// arrived, zero bytes included. Read beside the automation interface (no
// dispatch id): com::query<IReceivedText>(channel)->takeReceived(). The device
// library clears the line with it before each command frame and can say what
// it threw away.
class IReceivedText {
 public:
  virtual ~IReceivedText() = default;
  virtual std::string takeReceived() = 0;
};

// Source interface of MPTChannel ("_IMPTChannelEvents Interface"); declared
// for completeness, never raised.
struct IMPTChannelEvents {
  static constexpr com::DispId OnSendComplete = 2;  // (long Hash, long Cookie, char stat)
};

}  // namespace rx041::chanlink
