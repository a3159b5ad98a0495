#pragma once
// The classic error numbers of the command-string interface and their standard texts. Callers
// compare against these numbers and show the texts, so both stay exactly as they always were.
#include <cstdint>
#include <string_view>

namespace quindel::mci {

namespace err {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Base = 256;
constexpr std::uint32_t InvalidDeviceId = Base + 1;
constexpr std::uint32_t UnrecognizedKeyword = Base + 3;
constexpr std::uint32_t UnrecognizedCommand = Base + 5;
constexpr std::uint32_t Hardware = Base + 6;
constexpr std::uint32_t InvalidDeviceName = Base + 7;  // not open, unknown alias
constexpr std::uint32_t OutOfMemory = Base + 8;
constexpr std::uint32_t DeviceOpen = Base + 9;
constexpr std::uint32_t CannotLoadDriver = Base + 10;  // unknown device type
constexpr std::uint32_t MissingCommandString = Base + 11;
constexpr std::uint32_t ParamOverflow = Base + 12;
constexpr std::uint32_t MissingStringArgument = Base + 13;
constexpr std::uint32_t BadInteger = Base + 14;
constexpr std::uint32_t ParserInternal = Base + 15;
constexpr std::uint32_t DriverInternal = Base + 16;
constexpr std::uint32_t MissingParameter = Base + 17;
constexpr std::uint32_t UnsupportedFunction = Base + 18;
constexpr std::uint32_t FileNotFound = Base + 19;
constexpr std::uint32_t DeviceNotReady = Base + 20;
constexpr std::uint32_t Internal = Base + 21;
constexpr std::uint32_t Driver = Base + 22;
constexpr std::uint32_t CannotUseAll = Base + 23;
constexpr std::uint32_t Multiple = Base + 24;
constexpr std::uint32_t ExtensionNotFound = Base + 25;
constexpr std::uint32_t OutOfRange = Base + 26;
constexpr std::uint32_t FlagsNotCompatible = Base + 28;
constexpr std::uint32_t FileNotSaved = Base + 30;
constexpr std::uint32_t DeviceTypeRequired = Base + 31;
constexpr std::uint32_t DeviceLocked = Base + 32;
constexpr std::uint32_t DuplicateAlias = Base + 33;
constexpr std::uint32_t BadConstant = Base + 34;
constexpr std::uint32_t MustUseShareable = Base + 35;
constexpr std::uint32_t MissingDeviceName = Base + 36;
constexpr std::uint32_t BadTimeFormat = Base + 37;
constexpr std::uint32_t NoClosingQuote = Base + 38;
constexpr std::uint32_t DuplicateFlags = Base + 39;
constexpr std::uint32_t InvalidFile = Base + 40;
constexpr std::uint32_t NullParameterBlock = Base + 41;
constexpr std::uint32_t UnnamedResource = Base + 42;
constexpr std::uint32_t NewRequiresAlias = Base + 43;
constexpr std::uint32_t NotifyOnAutoOpen = Base + 44;
constexpr std::uint32_t NoElementAllowed = Base + 45;
constexpr std::uint32_t NonapplicableFunction = Base + 46;
constexpr std::uint32_t IllegalForAutoOpen = Base + 47;
constexpr std::uint32_t FilenameRequired = Base + 48;
constexpr std::uint32_t ExtraCharacters = Base + 49;
constexpr std::uint32_t DeviceNotInstalled = Base + 50;
constexpr std::uint32_t GetCd = Base + 51;
constexpr std::uint32_t SetCd = Base + 52;
constexpr std::uint32_t SetDrive = Base + 53;
constexpr std::uint32_t DeviceLength = Base + 54;
constexpr std::uint32_t DeviceOrdLength = Base + 55;
constexpr std::uint32_t NoInteger = Base + 56;
constexpr std::uint32_t NoWindow = Base + 90;
constexpr std::uint32_t CreateWindow = Base + 91;
constexpr std::uint32_t FileRead = Base + 92;
constexpr std::uint32_t FileWrite = Base + 93;
}  // namespace err

// The standard text of an error number; 0 has its own text, an unknown number a generic one.
std::string_view ErrorText(std::uint32_t error);

}  // namespace quindel::mci
