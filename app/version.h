/* The program's identity, shared by the code and the resource script (so it
   stays plain preprocessor text that windres and rc.exe also read). */
#ifndef TESSIVAR_VERSION_H
#define TESSIVAR_VERSION_H

#define TESSIVAR_VERSION_MAJOR 1
#define TESSIVAR_VERSION_MINOR 0
#define TESSIVAR_VERSION_REVISION 4

/* The four-part file version carries the revision in its last part. */
#define TESSIVAR_FILEVERSION_BINARY \
    TESSIVAR_VERSION_MAJOR, TESSIVAR_VERSION_MINOR, 0, TESSIVAR_VERSION_REVISION
#define TESSIVAR_VERSION_TEXT "1.00.0004"

#define TESSIVAR_TITLE "Tessivar"
#define TESSIVAR_EXE_NAME "Tessivar.exe"
#define TESSIVAR_COMPANY_SHORT "Kestrel"

/* Resource identifiers. */
#define TESSIVAR_IDI_MAIN 1

#endif
