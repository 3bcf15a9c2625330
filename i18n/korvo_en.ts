<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="fr_FR">
<context>
    <name>Korvo</name>
    <message>
        <source>Avertissement</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>&amp;Oui</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Non</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 : ce n&apos;est pas un fichier ordinaire</source>
        <translation>%1: not a regular file</translation>
    </message>
    <message>
        <source>%1 : fichier trop grand (plus de %2 octets)</source>
        <translation>%1: file too large (more than %2 bytes)</translation>
    </message>
    <message>
        <source>Bandwidth %1 Hz</source>
        <translation>Bandwidth %1 Hz</translation>
    </message>
    <message>
        <source>Erreur d&apos;allocation mémoire</source>
        <translation>Memory allocation error</translation>
    </message>
    <message>
        <source>Lecture impossible, la carte son n&apos;est pas ouverte</source>
        <translation>Cannot read, the sound card is not open</translation>
    </message>
    <message>
        <source>Saturation des buffers d&apos;entrée</source>
        <translation>Input buffer overrun</translation>
    </message>
    <message>
        <source>Dépassement de temps en attendant les buffers d&apos;entrée</source>
        <translation>Timed out waiting for input buffers</translation>
    </message>
    <message>
        <source>Ecriture impossible, la carte son n&apos;est pas ouverte</source>
        <translation>Cannot write, the sound card is not open</translation>
    </message>
    <message>
        <source>Buffers de sortie sous-employés</source>
        <translation>Output buffer underrun</translation>
    </message>
    <message>
        <source>Dépassement de temps en attendant les buffers de sortie</source>
        <translation>Timed out waiting for output buffers</translation>
    </message>
    <message>
        <source>Cette carte ne supporte pas le format 16 bits, 8000 Hz, Mono</source>
        <translation>This card does not support 16-bit, 8000 Hz, mono</translation>
    </message>
    <message>
        <source>La carte est utilisée par une autre application</source>
        <translation>The card is in use by another application</translation>
    </message>
    <message>
        <source>En-tête non préparé</source>
        <translation>Header not prepared</translation>
    </message>
    <message>
        <source>Ce périphérique est synchrone</source>
        <translation>This device is synchronous</translation>
    </message>
    <message>
        <source>Mauvais identifiant de périphérique, la carte son est introuvable</source>
        <translation>Bad device identifier, the sound card cannot be found</translation>
    </message>
    <message>
        <source>L&apos;initialisation du périphérique a échoué</source>
        <translation>Device initialisation failed</translation>
    </message>
    <message>
        <source>Le périphérique est déjà attribué</source>
        <translation>The device is already allocated</translation>
    </message>
    <message>
        <source>Le handle du périphérique n&apos;est pas valide</source>
        <translation>The device handle is not valid</translation>
    </message>
    <message>
        <source>Le pilote du périphérique est absent</source>
        <translation>The device driver is missing</translation>
    </message>
    <message>
        <source>Fonction non supportée</source>
        <translation>Function not supported</translation>
    </message>
    <message>
        <source>Erreur ou valeur hors limites</source>
        <translation>Error or value out of range</translation>
    </message>
    <message>
        <source>Flag non valide</source>
        <translation>Invalid flag</translation>
    </message>
    <message>
        <source>Paramètre non valide</source>
        <translation>Invalid parameter</translation>
    </message>
    <message>
        <source>Handle en cours d&apos;utilisation</source>
        <translation>Handle in use</translation>
    </message>
    <message>
        <source>Le pilote n&apos;appelle pas DriverCallback</source>
        <translation>The driver does not call DriverCallback</translation>
    </message>
    <message>
        <source>Erreur de registre</source>
        <translation>Registry error</translation>
    </message>
    <message>
        <source>Erreur inconnue</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>Erreur inconnue: code </source>
        <translation>Unknown error: code </translation>
    </message>
    <message>
        <source>Entrée audio lue dans un fichier WAV.</source>
        <translation>Audio input read from a WAV file.</translation>
    </message>
    <message>
        <source>Emission écrite dans un fichier WAV.</source>
        <translation>Transmission written to a WAV file.</translation>
    </message>
    <message>
        <source>Bande de démonstration en entrée.</source>
        <translation>Demonstration band as input.</translation>
    </message>
    <message>
        <source>Fichier des réglages.</source>
        <translation>Settings file.</translation>
    </message>
    <message>
        <source>Affiche cette aide.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>Affiche la version.</source>
        <translation>Show the version.</translation>
    </message>
    <message>
        <source>Entrée audio : %1</source>
        <translation>Audio input: %1</translation>
    </message>
    <message>
        <source>Bande de démonstration</source>
        <translation>Demonstration band</translation>
    </message>
    <message>
        <source>Pas de carte son : bande de démonstration</source>
        <translation>No sound card: demonstration band</translation>
    </message>
    <message>
        <source>ligne %1 : %2 donné deux fois</source>
        <translation>line %1: %2 given twice</translation>
    </message>
    <message>
        <source>ligne %1 illisible</source>
        <translation>line %1 unreadable</translation>
    </message>
    <message>
        <source>Couleur</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Police</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Couleur :</source>
        <translation>Colour:</translation>
    </message>
    <message>
        <source>Personnalisée</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Le fichier de réglages %1 contient des lignes que Korvo ne sait pas lire (%2). Korvo n&apos;y change que les valeurs qu&apos;il écrit ; une copie intacte est gardée dans %3.</source>
        <translation>The settings file %1 holds lines Korvo cannot read (%2). Korvo changes only the values it writes; an untouched copy is kept in %3.</translation>
    </message>
    <message>
        <source>Problème en lisant la base de registre</source>
        <translation>Problem reading the settings store</translation>
    </message>
    <message>
        <source>Problème en écrivant dans la base de registre</source>
        <translation>Problem writing to the settings store</translation>
    </message>
    <message>
        <source> Journal </source>
        <translation> Log </translation>
    </message>
    <message>
        <source>Fichier ADIF auquel chaque QSO enregistré est ajouté (Ctrl+L).
Les logiciels de trafic (CQRLOG, Log4OM, QLog...) savent l&apos;importer.</source>
        <translation>ADIF file every logged QSO is appended to (Ctrl+L).
Logging programs (CQRLOG, Log4OM, QLog...) can import it.</translation>
    </message>
    <message>
        <source>Choisir le fichier</source>
        <translation>Choose the file</translation>
    </message>
    <message>
        <source>Fichier ADIF</source>
        <translation>ADIF file</translation>
    </message>
    <message>
        <source>Votre locator (QTH locator Maidenhead), par exemple JN18eu</source>
        <translation>Your locator (Maidenhead QTH locator), for example JN18eu</translation>
    </message>
    <message>
        <source>Mon locator</source>
        <translation>My locator</translation>
    </message>
    <message>
        <source>Effacer le QSO en cours après l&apos;enregistrement</source>
        <translation>Clear the current QSO after logging it</translation>
    </message>
    <message>
        <source> Messages UDP (protocole WSJT-X) </source>
        <translation> UDP messages (WSJT-X protocol) </translation>
    </message>
    <message>
        <source>Envoyer les QSO enregistrés</source>
        <translation>Send logged QSOs</translation>
    </message>
    <message>
        <source>Messages &quot;QSO Logged&quot; et &quot;Logged ADIF&quot; lus par GridTracker, JTAlert,
CQRLOG, Log4OM, Wavelog Gate, N1MM...</source>
        <translation>&quot;QSO Logged&quot; and &quot;Logged ADIF&quot; messages, read by GridTracker, JTAlert,
CQRLOG, Log4OM, Wavelog Gate, N1MM...</translation>
    </message>
    <message>
        <source>Adresse IP du logiciel qui écoute (127.0.0.1 sur cette machine),
ou d&apos;un groupe multicast (239.255.0.1...). Pas de nom de machine.</source>
        <translation>IP address of the listening program (127.0.0.1 on this machine),
or of a multicast group (239.255.0.1...). No host names.</translation>
    </message>
    <message>
        <source> Langue </source>
        <translation> Language </translation>
    </message>
    <message>
        <source>La langue de l&apos;interface change au prochain démarrage.</source>
        <translation>The interface language changes at the next start.</translation>
    </message>
    <message>
        <source>Interface (au prochain démarrage)</source>
        <translation>Interface (at the next start)</translation>
    </message>
    <message>
        <source>Fichier du journal ADIF</source>
        <translation>ADIF log file</translation>
    </message>
    <message>
        <source>Fichiers ADIF (*.adi);;Tous les fichiers (*)</source>
        <translation>ADIF files (*.adi);;All files (*)</translation>
    </message>
    <message>
        <source>Le locator n&apos;est pas valide.<byte value="xd"/>
Il s&apos;écrit avec 2, 4, 6 ou 8 caractères, par exemple JN18 ou JN18eu.</source>
        <translation>The locator is not valid.<byte value="xd"/>
It has 2, 4, 6 or 8 characters, for example JN18 or JN18eu.</translation>
    </message>
    <message>
        <source>L&apos;adresse UDP n&apos;est pas valide.<byte value="xd"/>
Indiquez une adresse IP, par exemple 127.0.0.1 ou 239.255.0.1.</source>
        <translation>The UDP address is not valid.<byte value="xd"/>
Enter an IP address, for example 127.0.0.1 or 239.255.0.1.</translation>
    </message>
    <message>
        <source>Indiquez le fichier du journal ADIF.</source>
        <translation>Enter the ADIF log file.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Générale</source>
        <translation>General</translation>
    </message>
    <message>
        <source> Date format </source>
        <translation> Date format </translation>
    </message>
    <message>
        <source>Format de la date à transmettre</source>
        <translation>Format of the date to transmit</translation>
    </message>
    <message>
        <source> Mode </source>
        <translation> Mode </translation>
    </message>
    <message>
        <source>Mode PSK31</source>
        <translation>PSK31 mode</translation>
    </message>
    <message>
        <source> Vitesse CW </source>
        <translation> CW speed </translation>
    </message>
    <message>
        <source>37.5 mots/mn</source>
        <translation>37.5 wpm</translation>
    </message>
    <message>
        <source>18.75 mots/mn</source>
        <translation>18.75 wpm</translation>
    </message>
    <message>
        <source>12.5 mots/mn</source>
        <translation>12.5 wpm</translation>
    </message>
    <message>
        <source>9.375 mots/mn</source>
        <translation>9.375 wpm</translation>
    </message>
    <message>
        <source>Vitesse à laquelle l&apos;identification CW (CWID) sera envoyée</source>
        <translation>Speed at which the CW identification (CWID) is sent</translation>
    </message>
    <message>
        <source> Ports COM </source>
        <translation> COM ports </translation>
    </message>
    <message>
        <source> Activation du port </source>
        <translation> Port keying </translation>
    </message>
    <message>
        <source>Inactif</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>RTS Seulement</source>
        <translation>RTS only</translation>
    </message>
    <message>
        <source>DTR Seulement</source>
        <translation>DTR only</translation>
    </message>
    <message>
        <source>RTS et DTR</source>
        <translation>RTS and DTR</translation>
    </message>
    <message>
        <source>Activation du port COM séléctionné pour actionner transceiver.</source>
        <translation>Keying of the selected COM port to switch the transceiver.</translation>
    </message>
    <message>
        <source>Pour accélérer l&apos;horloge de la carte son <byte value="xd"/>
selon les informations qu&apos;elle renvoie.</source>
        <translation>Speeds up the sound card&apos;s clock <byte value="xd"/>
according to the information it reports.</translation>
    </message>
    <message>
        <source>Nombre de blocks à réécouter (Bouton Replay).<byte value="xd"/>
Le maximum est 99 de 0.256 secondes chacun.<byte value="xd"/>
Temps maximum 25.344 secondes.</source>
        <translation>Number of blocks to replay (Replay button).<byte value="xd"/>
At most 99 of 0.256 seconds each.<byte value="xd"/>
Longest time 25.344 seconds.</translation>
    </message>
    <message>
        <source>Afficher l&apos;heure TU</source>
        <translation>Show UTC time</translation>
    </message>
    <message>
        <source>Spectre plein</source>
        <translation>Filled spectrum</translation>
    </message>
    <message>
        <source>Réglez ici la largeur de bande que <byte value="xd"/>
vous souhaitez voir affichée dans le<byte value="xd"/>
waterfall et l&apos;analyseur de sprectre</source>
        <translation>Set here the bandwidth <byte value="xd"/>
you want shown in the<byte value="xd"/>
waterfall and the spectrum analyser</translation>
    </message>
    <message>
        <source>Mon Indicatif (MyCall)</source>
        <translation>My call sign (MyCall)</translation>
    </message>
    <message>
        <source>Message CW ID</source>
        <translation>CW ID message</translation>
    </message>
    <message>
        <source>Correction ppm</source>
        <translation>ppm correction</translation>
    </message>
    <message>
        <source>Blocks à réécouter</source>
        <translation>Blocks to replay</translation>
    </message>
    <message>
        <source>Appliquer</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Erreur en sélectionnant le port COM</source>
        <translation>Error selecting the COM port</translation>
    </message>
    <message>
        <source>Pour éviter les problèmes, la bande passante ne peut être inférieure à 400Hz<byte value="xd"/>
La correction a été effectuée.</source>
        <translation>To avoid problems, the bandwidth cannot be less than 400 Hz<byte value="xd"/>
It has been corrected.</translation>
    </message>
    <message>
        <source>Niveau de Squelch: </source>
        <translation>Squelch level: </translation>
    </message>
    <message>
        <source>Vider</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Copier</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Click droit pour le menu</source>
        <translation>Right-click for the menu</translation>
    </message>
    <message>
        <source>Erreur ! La carte son n&apos;est pas activée...</source>
        <translation>Error! The sound card is not active...</translation>
    </message>
    <message>
        <source>Emission en cours...</source>
        <translation>Transmitting...</translation>
    </message>
    <message>
        <source>Emission simulée...</source>
        <translation>Simulated transmission...</translation>
    </message>
    <message>
        <source>Pas de carte son en sortie : l&apos;émission n&apos;est jouée nulle part</source>
        <translation>No sound output: the transmission is played nowhere</translation>
    </message>
    <message>
        <source>Envoyer un tune</source>
        <translation>Send a tune</translation>
    </message>
    <message>
        <source>Stopper le tune</source>
        <translation>Stop the tune</translation>
    </message>
    <message>
        <source>Processeur trop lent ou occupé</source>
        <translation>Processor too slow or busy</translation>
    </message>
    <message>
        <source>Transmission des caractères restants...</source>
        <translation>Sending the remaining characters...</translation>
    </message>
    <message>
        <source>Emettre</source>
        <translation>Transmit</translation>
    </message>
    <message>
        <source>Stopper l&apos;émission</source>
        <translation>Stop transmitting</translation>
    </message>
    <message>
        <source>&lt;Transmission débutée:</source>
        <translation>&lt;Transmission started:</translation>
    </message>
    <message>
        <source>&lt;Transmission stoppée:</source>
        <translation>&lt;Transmission stopped:</translation>
    </message>
    <message>
        <source> : fichier trop grand pour une procédure (plus de 64 Ko)</source>
        <translation>: file too large for a macro (more than 64 KB)</translation>
    </message>
    <message>
        <source> : trop de texte inclus dans la procédure (plus de 256 Ko)</source>
        <translation>: too much text included in the macro (more than 256 KB)</translation>
    </message>
    <message>
        <source>Nom de la procédure : C&apos;est le nom qui apparaîtra sur le bouton</source>
        <translation>Macro name: the name shown on the button</translation>
    </message>
    <message>
        <source>------------------------------------</source>
        <translation>------------------------------------</translation>
    </message>
    <message>
        <source>Texte de la procédure:</source>
        <translation>Macro text:</translation>
    </message>
    <message>
        <source>--------------------------------------------------------------------------------------------------------------------------------------------------</source>
        <translation>--------------------------------------------------------------------------------------------------------------------------------------------------</translation>
    </message>
    <message>
        <source>Les procédures peuvent inclure des valeurs commençant par un caractère antislash (\).</source>
        <translation>Macros may include values beginning with a backslash (\).</translation>
    </message>
    <message>
        <source>A l&apos;éxécution, ces valeurs seront remplacées par un texte pré-déterminé de la façon suivante.</source>
        <translation>When the macro runs, these values are replaced by a set text as follows.</translation>
    </message>
    <message>
        <source>\c  - Indicatif de l&apos;autre station tel qu&apos;il a été entré dans boite &quot;Qso en cours&quot;.</source>
        <translation>\c  - The other station&apos;s call sign as entered in the &quot;Current QSO&quot; box.</translation>
    </message>
    <message>
        <source>\d  - La date au format Windows (date courte) ou que vous avez précisé.</source>
        <translation>\d  - The date in the system&apos;s short format or the one you chose.</translation>
    </message>
    <message>
        <source>\fFichier.txt - texte en provenance du fichier dont le nom est précisé (après \f).</source>
        <translation>\fFile.txt - text from the file named after \f.</translation>
    </message>
    <message>
        <source>  Ce fichier doit absolument se trouver dans le dossier du programme).</source>
        <translation>  The file must be in the program&apos;s data folder).</translation>
    </message>
    <message>
        <source>\g  - Salutation en fonction de l&apos;heure du jour (par exemple &quot;Bonsoir&quot;).</source>
        <translation>\g  - A greeting for the time of day (for example &quot;Bonsoir&quot;).</translation>
    </message>
    <message>
        <source>\h  - Prénom de l&apos;autre station tel qu&apos;il a été entré dans la boîte &quot;QSO en cours&quot;.</source>
        <translation>\h  - The other operator&apos;s first name as entered in the &quot;Current QSO&quot; box.</translation>
    </message>
    <message>
        <source>\i  - Identification CW selon les valeurs de CWID et CWIDSpeed (configuration).</source>
        <translation>\i  - CW identification per the CWID and CWIDSpeed values (configuration).</translation>
    </message>
    <message>
        <source>\m  - Votre indicatif tel qu&apos;&apos;il a été précisé dans la configuration.</source>
        <translation>\m  - Your call sign as set in the configuration.</translation>
    </message>
    <message>
        <source>\n  - Nouvelle ligne (CR+LF).</source>
        <translation>\n  - New line (CR+LF).</translation>
    </message>
    <message>
        <source>\r  - Le Report (RST) tel qu&apos;il a été entré dans la boîte &quot;QSO en cours&quot;.</source>
        <translation>\r  - The report (RST) as entered in the &quot;Current QSO&quot; box.</translation>
    </message>
    <message>
        <source>\t  - Passe immédiatement le TX en émission.</source>
        <translation>\t  - Switches the transmitter to transmit at once.</translation>
    </message>
    <message>
        <source>u\ - Heure TU</source>
        <translation>u\ - UTC time</translation>
    </message>
    <message>
        <source>v\ - Heure locale</source>
        <translation>v\ - Local time</translation>
    </message>
    <message>
        <source>\w  - Vide immédiatement la fenêtre du terminal en cours.</source>
        <translation>\w  - Clears the current terminal pane at once.</translation>
    </message>
    <message>
        <source>\x - En fin de transmission, donne l&apos;heure TU du QSO (&quot;fin de QSO: 18:35 TU&quot;)</source>
        <translation>\x - At the end of the transmission, gives the QSO&apos;s UTC time (&quot;fin de QSO: 18:35 TU&quot;)</translation>
    </message>
    <message>
        <source>\z  - Repasse en réception immédiatement après que le texte ait été transmis.</source>
        <translation>\z  - Returns to receive as soon as the text has been sent.</translation>
    </message>
    <message>
        <source>caractères de substitution</source>
        <translation>substitution characters</translation>
    </message>
    <message>
        <source>Créer/Editer une procédure</source>
        <translation>Create/Edit a macro</translation>
    </message>
    <message>
        <source>Nom de la procédure</source>
        <translation>Macro name</translation>
    </message>
    <message>
        <source>Texte de la procédure (255 caractères max)</source>
        <translation>Macro text (255 characters max)</translation>
    </message>
    <message>
        <source>Sauvegarder la procédure</source>
        <translation>Save the macro</translation>
    </message>
    <message>
        <source>Supprimer la procédure</source>
        <translation>Delete the macro</translation>
    </message>
    <message>
        <source>Quitter l&apos;éditeur</source>
        <translation>Leave the editor</translation>
    </message>
    <message>
        <source>Titre obligatoire !</source>
        <translation>A title is required!</translation>
    </message>
    <message>
        <source>Cette procédure existe déjà !
La modifier ?</source>
        <translation>This macro already exists!
Change it?</translation>
    </message>
    <message>
        <source>20 procédures maximum. Désolé...</source>
        <translation>20 macros at most. Sorry...</translation>
    </message>
    <message>
        <source>Infobulle ?</source>
        <translation>Tooltip?</translation>
    </message>
    <message>
        <source>Texte ?</source>
        <translation>Text?</translation>
    </message>
    <message>
        <source>Supprimer cette procédure ?</source>
        <translation>Delete this macro?</translation>
    </message>
    <message>
        <source>Se déconnecter de TALMER</source>
        <translation>Disconnect from TALMER</translation>
    </message>
    <message>
        <source>Se connecter à TALMER</source>
        <translation>Connect to TALMER</translation>
    </message>
    <message>
        <source>Enregistrer le QSO (Ctrl+L)</source>
        <translation>Log the QSO (Ctrl+L)</translation>
    </message>
    <message>
        <source>Une erreur vient de se produire...<byte value="xd"/>
Assurez-vous dans TALMER d&apos;avoir ouvert votre fichier<byte value="xd"/>
de trafic et d&apos;avoir ouvert le dialogue de saisie.</source>
        <translation>An error has just occurred...<byte value="xd"/>
Make sure that in TALMER your log file is open<byte value="xd"/>
and the entry dialog is open.</translation>
    </message>
    <message>
        <source>Pas d&apos;indicatif : QSO non enregistré</source>
        <translation>No call sign: QSO not logged</translation>
    </message>
    <message>
        <source>QSO avec %1 déjà enregistré</source>
        <translation>QSO with %1 already logged</translation>
    </message>
    <message>
        <source>QSO avec %1 enregistré à %2 TU</source>
        <translation>QSO with %1 logged at %2 UTC</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire le QSO dans le journal<byte value="xd"/>
%1<byte value="xd"/>
Le QSO reste dans la boîte &quot;QSO en cours&quot;.</source>
        <translation>Cannot write the QSO to the log<byte value="xd"/>
%1<byte value="xd"/>
The QSO stays in the &quot;Current QSO&quot; box.</translation>
    </message>
    <message>
        <source>Bus de session D-Bus introuvable</source>
        <translation>D-Bus session bus not found</translation>
    </message>
    <message>
        <source>Memoire RAM: </source>
        <translation>RAM: </translation>
    </message>
    <message>
        <source>Korvo a été écrit par l&apos;équipe Korvo, avec l&apos;aide des radioamateurs qui l&apos;ont essayé sur l&apos;air et nous ont fait part de leurs remarques. Merci aux pionniers du PSK31, qui ont imaginé ce mode et l&apos;ont offert à tous. Ce programme est un logiciel gratuit (freeware), mis à la disposition de la communauté des radioamateurs. Vos commentaires sont les bienvenus : sur le site web https://korvo.example.org ou par e-mail à korvo@example.org.</source>
        <translation>Korvo was written by the Korvo team, with the help of the radio amateurs who tried it on the air and told us what they thought. Thanks to the PSK31 pioneers, who devised this mode and gave it to everyone. This program is free software, made available to the amateur radio community. Your comments are welcome: on the web site https://korvo.example.org or by e-mail to korvo@example.org.</translation>
    </message>
    <message>
        <source>A propos de Korvo v1.7c</source>
        <translation>About Korvo v1.7c</translation>
    </message>
    <message>
        <source>Chargement...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Connecter/activer la carte son</source>
        <translation>Connect/start the sound card</translation>
    </message>
    <message>
        <source>Programme inactif</source>
        <translation>Program idle</translation>
    </message>
    <message>
        <source>Déconnecter la carte son</source>
        <translation>Disconnect the sound card</translation>
    </message>
    <message>
        <source>Signal saturé ! Diminuez le niveau d&apos;entrée de la carte son</source>
        <translation>Signal overload! Lower the sound card&apos;s input level</translation>
    </message>
    <message>
        <source>Réception en cours...</source>
        <translation>Receiving...</translation>
    </message>
    <message>
        <source>Niveau de bruit: </source>
        <translation>Noise level: </translation>
    </message>
    <message>
        <source>Envoyer l&apos;identification CW</source>
        <translation>Send the CW identification</translation>
    </message>
    <message>
        <source>Replay</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>Ajuster le niveau d&apos;entrée de la carte son</source>
        <translation>Adjust the sound card&apos;s input level</translation>
    </message>
    <message>
        <source>Ajuster le niveau de sortie de la carte son</source>
        <translation>Adjust the sound card&apos;s output level</translation>
    </message>
    <message>
        <source>Se connecter à Talmer</source>
        <translation>Connect to Talmer</translation>
    </message>
    <message>
        <source>A propos de Korvo...</source>
        <translation>About Korvo...</translation>
    </message>
    <message>
        <source>Aide en ligne</source>
        <translation>Online help</translation>
    </message>
    <message>
        <source>Quitter Korvo</source>
        <translation>Quit Korvo</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Click gauche pour freq 1
Click droit pour freq 2</source>
        <translation>Left-click for freq 1
Right-click for freq 2</translation>
    </message>
    <message>
        <source>Canal 1</source>
        <translation>Channel 1</translation>
    </message>
    <message>
        <source>Canal 2</source>
        <translation>Channel 2</translation>
    </message>
    <message>
        <source>Waterfall</source>
        <translation>Waterfall</translation>
    </message>
    <message>
        <source>Spectre</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Synchro</source>
        <translation>Synchro</translation>
    </message>
    <message>
        <source>Déplacement à gauche de 100Hz</source>
        <translation>Shift 100 Hz down</translation>
    </message>
    <message>
        <source>Déplacement à droite de 100Hz</source>
        <translation>Shift 100 Hz up</translation>
    </message>
    <message>
        <source> QSO en cours </source>
        <translation> Current QSO </translation>
    </message>
    <message>
        <source>Son Call</source>
        <translation>His call</translation>
    </message>
    <message>
        <source>Son nom</source>
        <translation>His name</translation>
    </message>
    <message>
        <source>Son report</source>
        <translation>His report</translation>
    </message>
    <message>
        <source>Effacer les données du QSO</source>
        <translation>Clear the QSO data</translation>
    </message>
    <message>
        <source>Envoyer les données à TALMER</source>
        <translation>Send the data to TALMER</translation>
    </message>
    <message>
        <source>Procédures %1</source>
        <translation>Macros %1</translation>
    </message>
    <message>
        <source>Néant</source>
        <translation>None</translation>
    </message>
    <message>
        <source> S-Mètre </source>
        <translation> S-meter </translation>
    </message>
    <message>
        <source>Seuil de squelch</source>
        <translation>Squelch threshold</translation>
    </message>
    <message>
        <source>Vitesse squelch (0-200)</source>
        <translation>Squelch speed (0-200)</translation>
    </message>
    <message>
        <source> Réglages fréquence </source>
        <translation> Frequency settings </translation>
    </message>
    <message>
        <source>Réception</source>
        <translation>Receive</translation>
    </message>
    <message>
        <source>Emission</source>
        <translation>Transmit</translation>
    </message>
    <message>
        <source>AFC On</source>
        <translation>AFC On</translation>
    </message>
    <message>
        <source>NET On</source>
        <translation>NET On</translation>
    </message>
    <message>
        <source>Canal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>Carte son</source>
        <translation>Sound card</translation>
    </message>
    <message>
        <source>Port COM</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Talmer</source>
        <translation>Talmer</translation>
    </message>
    <message>
        <source>Replay </source>
        <translation>Replay </translation>
    </message>
    <message>
        <source> secondes</source>
        <translation> seconds</translation>
    </message>
    <message>
        <source>Le port COM </source>
        <translation>COM port </translation>
    </message>
    <message>
        <source> est ouvert</source>
        <translation> is open</translation>
    </message>
    <message>
        <source>Aide de Korvo</source>
        <translation>Korvo help</translation>
    </message>
    <message>
        <source>Carte son active</source>
        <translation>Sound card active</translation>
    </message>
    <message>
        <source>Carte son inactive</source>
        <translation>Sound card inactive</translation>
    </message>
    <message>
        <source>Largeur
AFC</source>
        <translation>AFC
width</translation>
    </message>
    <message>
        <source>Fréq. (Hz)</source>
        <translation>Freq. (Hz)</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>SNR</source>
        <translation>SNR</translation>
    </message>
    <message>
        <source>Texte</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Clic gauche pour le canal 1
Clic droit pour le canal 2</source>
        <translation>Left click for channel 1
Right click for channel 2</translation>
    </message>
    <message>
        <source>Navigateur</source>
        <translation>Signal browser</translation>
    </message>
    <message>
        <source>Afficher/masquer le navigateur de signaux</source>
        <translation>Show/hide the signal browser</translation>
    </message>
    <message>
        <source>Impossible de passer le transceiver en émission.<byte value="xd"/>
L&apos;émission est arrêtée.</source>
        <translation>Cannot switch the transceiver to transmit.<byte value="xd"/>
The transmission is stopped.</translation>
    </message>
    <message>
        <source>Impossible de repasser le transceiver en réception !<byte value="xd"/>
Vérifiez qu&apos;il n&apos;est pas resté en émission.</source>
        <translation>Cannot switch the transceiver back to receive!<byte value="xd"/>
Check that it is not still transmitting.</translation>
    </message>
    <message>
        <source>Durée maximale d&apos;émission atteinte : l&apos;émission est arrêtée.</source>
        <translation>Transmit time limit reached: the transmission is stopped.</translation>
    </message>
    <message>
        <source>Le transceiver ne répond plus : l&apos;émission est arrêtée.<byte value="xd"/>
Vérifiez qu&apos;il n&apos;est pas resté en émission.</source>
        <translation>The transceiver no longer answers: the transmission is stopped.<byte value="xd"/>
Check that it is not still transmitting.</translation>
    </message>
    <message>
        <source>Le périphérique d&apos;entrée audio choisi est absent.</source>
        <translation>The chosen audio input device is absent.</translation>
    </message>
    <message>
        <source>Le périphérique de sortie audio choisi est absent.</source>
        <translation>The chosen audio output device is absent.</translation>
    </message>
    <message>
        <source>Défaut</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>%1 (absent)</source>
        <translation>%1 (absent)</translation>
    </message>
    <message>
        <source> Carte son </source>
        <translation> Sound card </translation>
    </message>
    <message>
        <source>Entrée du son reçu (pris en compte à la prochaine connexion)</source>
        <translation>Input of the received audio (used at the next connection)</translation>
    </message>
    <message>
        <source>Entrée (réception)</source>
        <translation>Input (receive)</translation>
    </message>
    <message>
        <source>Sortie vers le transceiver (prise en compte à la prochaine connexion)</source>
        <translation>Output to the transceiver (used at the next connection)</translation>
    </message>
    <message>
        <source>Sortie (émission)</source>
        <translation>Output (transmit)</translation>
    </message>
    <message>
        <source> Emission et transceiver </source>
        <translation> Transmit and transceiver </translation>
    </message>
    <message>
        <source>Aucune (VOX)</source>
        <translation>None (VOX)</translation>
    </message>
    <message>
        <source>Port série RTS/DTR (onglet Générale)</source>
        <translation>Serial port RTS/DTR (General tab)</translation>
    </message>
    <message>
        <source>CAT (hamlib)</source>
        <translation>CAT (hamlib)</translation>
    </message>
    <message>
        <source>rigctld (réseau)</source>
        <translation>rigctld (network)</translation>
    </message>
    <message>
        <source>GPIO CM108</source>
        <translation>CM108 GPIO</translation>
    </message>
    <message>
        <source>Comment le transceiver est passé en émission</source>
        <translation>How the transceiver is keyed</translation>
    </message>
    <message>
        <source>Commande d&apos;émission</source>
        <translation>PTT control</translation>
    </message>
    <message>
        <source>Modèle du transceiver dans la liste de hamlib</source>
        <translation>The transceiver&apos;s model in hamlib&apos;s list</translation>
    </message>
    <message>
        <source>Modèle</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Port série CAT du transceiver</source>
        <translation>The transceiver&apos;s CAT serial port</translation>
    </message>
    <message>
        <source>Port CAT</source>
        <translation>CAT port</translation>
    </message>
    <message>
        <source>Vitesse (bit/s)</source>
        <translation>Speed (bit/s)</translation>
    </message>
    <message>
        <source>Adresse d&apos;un rigctld déjà lancé, machine:port</source>
        <translation>Address of a running rigctld, host:port</translation>
    </message>
    <message>
        <source>rigctld</source>
        <translation>rigctld</translation>
    </message>
    <message>
        <source>Périphérique hidraw de l&apos;interface son CM108</source>
        <translation>hidraw device of the CM108 sound interface</translation>
    </message>
    <message>
        <source>Interface CM108</source>
        <translation>CM108 interface</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Aucune</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Une émission plus longue est arrêtée (0 : pas de limite)</source>
        <translation>A longer transmission is stopped (0: no limit)</translation>
    </message>
    <message>
        <source>Durée maximale d&apos;émission</source>
        <translation>Transmit time limit</translation>
    </message>
    <message>
        <source>Choisissez le modèle du transceiver (CAT).</source>
        <translation>Choose the transceiver model (CAT).</translation>
    </message>
    <message>
        <source>Transceiver : connexion...</source>
        <translation>Transceiver: connecting...</translation>
    </message>
    <message>
        <source>Transceiver muet</source>
        <translation>Transceiver not answering</translation>
    </message>
    <message>
        <source>Transceiver prêt</source>
        <translation>Transceiver ready</translation>
    </message>
    <message>
        <source>%1 kHz %2</source>
        <translation>%1 kHz %2</translation>
    </message>
    <message>
        <source>Le périphérique d&apos;entrée audio &quot;%1&quot; est absent.<byte value="xd"/>
Branchez-le, ou choisissez-en un autre dans l&apos;onglet Station de la configuration.</source>
        <translation>The audio input device &quot;%1&quot; is absent.<byte value="xd"/>
Plug it in, or choose another in the configuration&apos;s Station tab.</translation>
    </message>
    <message>
        <source>Le périphérique de sortie audio &quot;%1&quot; est absent.<byte value="xd"/>
Branchez-le, ou choisissez-en un autre dans l&apos;onglet Station de la configuration.</source>
        <translation>The audio output device &quot;%1&quot; is absent.<byte value="xd"/>
Plug it in, or choose another in the configuration&apos;s Station tab.</translation>
    </message>
    <message>
        <source>Son : entrée %1, sortie %2</source>
        <translation>Audio: input %1, output %2</translation>
    </message>
    <message>
        <source>Sortie des sons d&apos;alerte (jamais celle de l&apos;émission, sauf si vous la choisissez ici)</source>
        <translation>Output of the alert sounds (never the transmit one, unless you choose it here)</translation>
    </message>
    <message>
        <source>Alertes</source>
        <translation>Alerts</translation>
    </message>
</context>
</TS>
