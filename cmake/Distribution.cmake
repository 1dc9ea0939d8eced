# What whoever builds and ships the program may compile in. Everything is empty
# by default: the program then asks no update server and mails no report
# until the user names them in the settings, the about box shows no web page
# and the package and AppStream data carry no address.
#
#   cmake -S . -B build -DRAVLIN_UPDATE_SERVER=https://updates.example.org/ ...
set(RAVLIN_UPDATE_SERVER "" CACHE STRING
    "Default update server: an http(s) address below which data/SoftUpdates/<program>.txt lies")
set(RAVLIN_DOWNLOAD_PAGE "" CACHE STRING "Default page new versions are downloaded from (http or https)")
set(RAVLIN_REPORT_ADDRESS "" CACHE STRING "Default e-mail address error reports are sent to")
set(RAVLIN_HOMEPAGE "" CACHE STRING
    "The project's web page: shown in the about box, named in the package and the AppStream data")
set(RAVLIN_MAINTAINER "Ravlin developers" CACHE STRING
    "The Maintainer field of the Debian package: a name and, once there is one, <an e-mail address>")

foreach(variable RAVLIN_UPDATE_SERVER RAVLIN_DOWNLOAD_PAGE RAVLIN_HOMEPAGE)
  if(NOT "${${variable}}" STREQUAL "" AND NOT "${${variable}}" MATCHES "^https?://[^ \"<>]+$")
    message(FATAL_ERROR "${variable} must be an http or https address without spaces, not '${${variable}}'")
  endif()
endforeach()
if(NOT RAVLIN_REPORT_ADDRESS STREQUAL "" AND NOT RAVLIN_REPORT_ADDRESS MATCHES "^[^@ <>\"]+@[^@ <>\"]+$")
  message(FATAL_ERROR "RAVLIN_REPORT_ADDRESS must be a plain e-mail address, not '${RAVLIN_REPORT_ADDRESS}'")
endif()

# The licence, as SPDX names it (AppStream data) and as the about box names it.
set(RAVLIN_LICENSE_SPDX GPL-3.0-or-later)
set(RAVLIN_LICENSE_NAME "GNU GPL версии 3 или более поздней")

# The application id: the AppStream component, the desktop entry's file name
# and the id the editor gives the window system, so that a Wayland compositor
# finds the entry (its name and icon) of the editor's windows.
set(RAVLIN_APP_ID org.ravlin.Ravlin)
