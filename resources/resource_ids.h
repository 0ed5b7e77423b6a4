// Resource identifiers of the Windows executable, shared by vestrel.rc and the C++ code.
// Only #defines, so that the resource compiler can read this file.
#ifndef VESTREL_RESOURCES_RESOURCE_IDS_H_
#define VESTREL_RESOURCES_RESOURCE_IDS_H_

// The application icon: the first icon group, so the shell shows it for the executable.
#define IDI_VESTREL 1

// Mouse pointers (CURSOR resources).
#define IDC_HAND_POINTER 101
#define IDC_TARGET_POINTER 102

// The files themselves as RCDATA, for AssetBytes: the faces, and byte-for-byte copies of the
// icon and pointer files for code that decodes them itself.
#define IDR_FACE_LARGE 201
#define IDR_FACE_SMALL 202
#define IDR_ICON_FILE 203
#define IDR_HAND_POINTER_FILE 204
#define IDR_TARGET_POINTER_FILE 205

#endif  // VESTREL_RESOURCES_RESOURCE_IDS_H_
