#include "mci/MciError.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quindel::mci {

namespace {

using Entry = std::pair<std::uint32_t, std::string_view>;

// Sorted by number, for the binary search below.
constexpr std::array kTexts = {
    Entry{err::None, "The specified command was carried out."},
    Entry{err::InvalidDeviceId,
          "Invalid MCI device ID. Use the ID returned when opening the MCI device."},
    Entry{err::UnrecognizedKeyword, "The driver cannot recognize the specified command parameter."},
    Entry{err::UnrecognizedCommand, "The driver cannot recognize the specified command."},
    Entry{err::Hardware,
          "There is a problem with your media device. Make sure it is working correctly or "
          "contact the device manufacturer."},
    Entry{err::InvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
    Entry{err::OutOfMemory,
          "Not enough memory available for this task. Quit one or more applications to increase "
          "available memory, and then try again."},
    Entry{err::DeviceOpen,
          "The device name is already being used as an alias by this application. Use a unique "
          "alias."},
    Entry{err::CannotLoadDriver,
          "There is an undetectable problem in loading the specified device driver."},
    Entry{err::MissingCommandString, "No command was specified."},
    Entry{err::ParamOverflow,
          "The output string was too large to fit in the return buffer. Increase the size of the "
          "buffer."},
    Entry{err::MissingStringArgument,
          "The specified command requires a character-string parameter. Please provide one."},
    Entry{err::BadInteger, "The specified integer is invalid for this command."},
    Entry{err::ParserInternal,
          "The device driver returned an invalid return type. Check with the device manufacturer "
          "about obtaining a new driver."},
    Entry{err::DriverInternal,
          "There is a problem with the device driver. Check with the device manufacturer about "
          "obtaining a new driver."},
    Entry{err::MissingParameter, "The specified command requires a parameter. Please supply one."},
    Entry{err::UnsupportedFunction,
          "The MCI device you are using does not support the specified command."},
    Entry{err::FileNotFound,
          "Cannot find the specified file. Make sure the path and filename are correct."},
    Entry{err::DeviceNotReady, "The device driver is not ready."},
    Entry{err::Driver,
          "There is a problem with the device driver. The driver has closed. Cannot access "
          "error."},
    Entry{err::CannotUseAll, "Cannot use 'all' as the device name with the specified command."},
    Entry{err::Multiple,
          "Errors occurred in more than one device. Specify each command and device separately "
          "to determine which devices caused the error."},
    Entry{err::ExtensionNotFound,
          "Cannot determine the device type from the given filename extension."},
    Entry{err::OutOfRange, "The specified parameter is out of range for the specified command."},
    Entry{err::FlagsNotCompatible, "The specified parameters cannot be used together."},
    Entry{err::FileNotSaved,
          "Cannot save the specified file. Make sure you have enough disk space or are still "
          "connected to the network."},
    Entry{err::DeviceTypeRequired,
          "Cannot find the specified device. Make sure it is installed or that the device name is "
          "spelled correctly."},
    Entry{err::DeviceLocked,
          "The specified device is now being closed. Wait a few seconds, and then try again."},
    Entry{err::DuplicateAlias,
          "The specified alias is already being used in this application. Use a unique alias."},
    Entry{err::BadConstant, "The specified parameter is invalid for this command."},
    Entry{err::MustUseShareable,
          "The device driver is already in use. To share it, use the 'shareable' parameter with "
          "each 'open' command."},
    Entry{err::MissingDeviceName,
          "The specified command requires an alias, file, driver, or device name. Please supply "
          "one."},
    Entry{err::BadTimeFormat,
          "The specified value for the time format is invalid. Refer to the MCI documentation for "
          "valid formats."},
    Entry{err::NoClosingQuote,
          "A closing double-quotation mark is missing from the parameter value. Please supply "
          "one."},
    Entry{err::DuplicateFlags, "A parameter or value was specified twice. Only specify it once."},
    Entry{err::InvalidFile,
          "The specified file cannot be played on the specified MCI device. The file may be "
          "corrupt, or not in the correct format."},
    Entry{err::NullParameterBlock, "A null parameter block was passed to MCI."},
    Entry{err::UnnamedResource, "Cannot save an unnamed file. Supply a filename."},
    Entry{err::NewRequiresAlias, "You must specify an alias when using the 'new' parameter."},
    Entry{err::NotifyOnAutoOpen, "Cannot use the 'notify' flag with auto-opened devices."},
    Entry{err::NoElementAllowed, "Cannot use a filename with the specified device."},
    Entry{err::NonapplicableFunction,
          "Cannot carry out the commands in the order specified. Correct the command sequence, "
          "and then try again."},
    Entry{err::IllegalForAutoOpen,
          "Cannot carry out the specified command on an auto-opened device. Wait until the "
          "device is closed, and then try again."},
    Entry{err::FilenameRequired,
          "The filename is invalid. Make sure the filename is not longer than 8 characters, "
          "followed by a period and an extension."},
    Entry{err::ExtraCharacters,
          "Cannot specify extra characters after a string enclosed in quotation marks."},
    Entry{err::DeviceLength, "Specify a device or driver name that is less than 79 characters."},
    Entry{err::DeviceOrdLength, "Specify a device or driver name that is less than 69 characters."},
    Entry{err::NoInteger,
          "The specified command requires an integer parameter. Please provide one."},
    Entry{err::NoWindow, "There is no display window."},
    Entry{err::CreateWindow, "Could not create or use window."},
    Entry{err::FileRead,
          "Cannot read the specified file. Make sure the file is still present, or check your "
          "disk or network connection."},
    Entry{err::FileWrite,
          "Cannot write to the specified file. Make sure you have enough disk space or are still "
          "connected to the network."},
};

constexpr std::string_view kUnknown = "Unknown MCI error.";

}  // namespace

std::string_view ErrorText(std::uint32_t error) {
    const auto it = std::lower_bound(kTexts.begin(), kTexts.end(), error,
                                     [](const Entry& e, std::uint32_t n) { return e.first < n; });
    return it != kTexts.end() && it->first == error ? it->second : kUnknown;
}

}  // namespace quindel::mci
