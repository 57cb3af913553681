# Checks every `#include "folder/…"` of our sources against the table of the
# README ("Layout of the sources"), which lists for each folder the folders
# and headers of ours it may include besides its own.
#
#     cmake -DRACINE=<source folder> -P scripts/verifier_couches.cmake
#
# Fails on an include the table does not allow, on a folder of sources the
# table does not name, and on a table it cannot find.

cmake_minimum_required(VERSION 3.20)

if(NOT RACINE)
  message(FATAL_ERROR "RACINE manquant : cmake -DRACINE=<dossier des sources> -P verifier_couches.cmake")
endif()

# The rows of the table: "| `folder/` | what it holds | `a/`, `b/c.h` |".
file(STRINGS ${RACINE}/README.md lignes_readme ENCODING UTF-8)
set(dossiers)
foreach(ligne IN LISTS lignes_readme)
  if(ligne MATCHES "^\\| `([a-z_]+)/` \\|[^|]*\\|([^|]*)\\|$")
    set(dossier ${CMAKE_MATCH_1})
    string(REGEX MATCHALL "`[a-z_]+/[a-z_.]*`" permis "${CMAKE_MATCH_2}")
    string(REPLACE "`" "" permis "${permis}")
    list(APPEND dossiers ${dossier})
    set(permis_${dossier} ${dossier}/ ${permis})
  endif()
endforeach()
list(LENGTH dossiers nombre_dossiers)
if(nombre_dossiers LESS 5)
  message(FATAL_ERROR "README.md : table des couches introuvable (${nombre_dossiers} lignes lues)")
endif()

# Every folder holding sources has its row.
file(GLOB sous_dossiers LIST_DIRECTORIES true RELATIVE ${RACINE} ${RACINE}/*)
set(erreurs 0)
foreach(d IN LISTS sous_dossiers)
  # Hidden folders and build folders are not sources.
  if(NOT IS_DIRECTORY ${RACINE}/${d} OR d MATCHES "^(\\.|build)")
    continue()
  endif()
  file(GLOB_RECURSE sources_d ${RACINE}/${d}/*.cpp ${RACINE}/${d}/*.h)
  if(sources_d AND NOT d IN_LIST dossiers)
    message(SEND_ERROR "${d}/ : dossier de sources absent de la table des couches du README")
    math(EXPR erreurs "${erreurs} + 1")
  endif()
endforeach()

# An include is allowed when it names an allowed header or lies in an allowed folder.
function(inclusion_permise inclus permis resultat)
  foreach(p IN LISTS permis)
    if(inclus STREQUAL p OR (p MATCHES "/$" AND inclus MATCHES "^${p}"))
      set(${resultat} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${resultat} FALSE PARENT_SCOPE)
endfunction()

set(inclusions_lues 0)
foreach(dossier IN LISTS dossiers)
  file(GLOB_RECURSE sources RELATIVE ${RACINE} ${RACINE}/${dossier}/*.cpp ${RACINE}/${dossier}/*.h)
  foreach(source IN LISTS sources)
    file(STRINGS ${RACINE}/${source} inclusions REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(inclusion IN LISTS inclusions)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" inclus "${inclusion}")
      math(EXPR inclusions_lues "${inclusions_lues} + 1")
      inclusion_permise("${inclus}" "${permis_${dossier}}" permise)
      if(NOT permise)
        string(REPLACE ";" ", " liste "${permis_${dossier}}")
        message(SEND_ERROR "${source} inclut \"${inclus}\" : ${dossier}/ n'inclut que ${liste}")
        math(EXPR erreurs "${erreurs} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(erreurs GREATER 0)
  message(FATAL_ERROR "${erreurs} inclusion(s) contre la table des couches du README")
endif()
message(STATUS "${inclusions_lues} inclusions de ${nombre_dossiers} dossiers conformes à la table des couches")
